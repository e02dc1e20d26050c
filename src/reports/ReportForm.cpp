#include "reports/ReportForm.h"

#include "text/Cp1250.h"

#include <array>
#include <cstdint>
#include <limits>

namespace notarion {
namespace {

using enum PartShape;

// What each kind's writers read, in the order of a report file: the header
// values first, then the line groups and student blocks in the order the
// documents show them. The labels are the words printed beside each part.
constexpr std::array kClassParts{
    FormPart{"Klasa", Text, "Klasa"},
    FormPart{"Belfer", Text, "Wychowawca klasy"},
    FormPart{"Klasyfikowanych", Text, "Klasyfikowanych ogółem"},
    FormPart{"Promowanych", Text, "Promowanych"},
    FormPart{"Frekwencja", Names, "Uczniowie ze stuprocentową frekwencją"},
    FormPart{"Pasek", NamesWithAverage, "Uczniowie zasługujący na wyróżnienie"},
    FormPart{"Ndst", NamesWithSubjects, "Uczniowie z ocenami niedostatecznymi"},
};
constexpr std::array kBehaviourParts{
    FormPart{"Klasa", Text, "Klasa"},
    FormPart{"Belfer", Text, "Wychowawca klasy"},
    FormPart{"Klasyfikowanych", Text, "Klasyfikowanych ogółem"},
    FormPart{"Wzorowi", Names, "Uczniowie wzorowi"},
    FormPart{"Obnizone", GradedJustifications, "Uczniowie z obniżonym zachowaniem"},
    FormPart{"Uwagi", Lines, "Uwagi"},
};
constexpr std::array kFailParts{
    FormPart{"Przedmiot", Text, "Przedmiot"},
    FormPart{"Klasa", Text, "Klasa"},
    FormPart{"Belfer", Text, "Uczący"},
    FormPart{"Uzasadnienia", Justifications, "Uzasadnienie oceny niedostatecznej"},
};
constexpr std::array kSubjectParts{
    FormPart{"Przedmiot", Text, "Przedmiot"},
    FormPart{"Belfer", Text, "Uczący"},
    FormPart{"Klasy", Text, "Klasy"},
    FormPart{"Ogolne", Lines, "Ogólne"},
    FormPart{"Sukcesy", Lines, "Sukcesy i problemy"},
    FormPart{"Wnioski", Lines, "Wnioski"},
};
constexpr std::array kTutorParts{
    FormPart{"Klasa", Text, "Klasa"},      FormPart{"Belfer", Text, "Wychowawca"},
    FormPart{"Ogolne", Lines, "Ogólne"},   FormPart{"Sukcesy", Lines, "Sukcesy i problemy"},
    FormPart{"Wnioski", Lines, "Wnioski"},
};
constexpr std::array kActivityParts{
    FormPart{"Zajecia", Text, "Zajęcia"},  FormPart{"Belfer", Text, "Uczący"},
    FormPart{"Ogolne", Lines, "Ogólne"},   FormPart{"Sukcesy", Lines, "Sukcesy i problemy"},
    FormPart{"Wnioski", Lines, "Wnioski"},
};
constexpr std::array kOtherInfoParts{
    FormPart{"Dotyczy", Text, "Dotyczy"},
    FormPart{"Belfer", Text, "Nauczyciel"},
    FormPart{"Info", Lines, "Informacja"},
};
constexpr std::array kCardHoursParts{
    FormPart{"Belfer", Text, "Nauczyciel"},
    FormPart{"Info", Lines, "Informacja"},
};
constexpr std::array kHeadTeacherParts{
    FormPart{"Belfer", Text, "Dyrektor"},
    FormPart{"Dydaktyczna", Lines, "Sfery dydaktyczna, wychowawcza i opiekuncza"},
    FormPart{"Nadzor", Lines, "Nadzór pedagogiczny, uwagi i wnioski"},
};

// The fields of the rows of each student shape. The names of a behaviour
// report's lowered grades and of a failing grade's justification are in
// "Osoba", since the row element also holds the justification's lines.
constexpr std::array kNameFields{
    RowField{RowValue::Name, {}, {}, "Uczen", "Uczeń"},
};
constexpr std::array kAverageFields{
    RowField{RowValue::Name, {}, {}, "Uczen", "Uczeń"},
    RowField{RowValue::Average, "Srednia", {}, "Srednia", "Średnia (np. 4,75)"},
};
constexpr std::array kSubjectFields{
    RowField{RowValue::Name, {}, {}, "Uczen", "Uczeń"},
    RowField{RowValue::Detail, "Przedmioty", {}, "Przedmioty", "Przedmioty"},
};
constexpr std::array kJustificationFields{
    RowField{RowValue::Name, "Osoba", {}, "Osoba", "Uczeń lub uczniowie"},
    RowField{RowValue::Lines, "Wiersz", "IloscWierszy", "Wiersze", "Uzasadnienie (wiersze)"},
};
constexpr std::array kGradedJustificationFields{
    RowField{RowValue::Name, "Osoba", {}, "Osoba", "Uczeń lub uczniowie"},
    RowField{RowValue::Detail, "Ocena", {}, "Ocena", "Ocena"},
    RowField{RowValue::Lines, "Wiersz", "IloscWierszy", "Wiersze", "Uzasadnienie (wiersze)"},
};

// Indexed by the shape's value.
constexpr std::array<ShapeLayout, 7> kLayouts{{
    {},
    {"IloscWierszy", "w", 0, {}},
    {"IleOsob", "Uczen", 1, kNameFields},
    {"IleOsob", "Uczen", 1, kAverageFields},
    {"IleOsob", "Uczen", 1, kSubjectFields},
    {"Ilosc", "Uzasadnienie", 1, kJustificationFields},
    {"Ilosc", "Uzasadnienie", 1, kGradedJustificationFields},
}};
static_assert(kLayouts.size() == static_cast<std::size_t>(GradedJustifications) + 1);

// Short names for the command line, in the order of the kinds.
constexpr std::array<std::string_view, ReportKindCount> kShortNames{
    "klasyfikacja", "zachowanie", "ndst",  "przedmiot", "wychowawca",
    "zajecia",      "inne",       "karta", "dyrektor",
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A field as a piece of a file name: lower-case ASCII letters and digits,
// runs of anything else as one "_", none at the ends.
std::string NamePiece(std::string_view utf8) {
    static constexpr std::u16string_view Marked = u"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
    static constexpr std::string_view Plain = "acelnoszzacelnoszz";
    std::string piece;
    bool gap = false;
    for (char16_t c : Utf8ToUtf16(utf8)) {
        if (const std::size_t at = Marked.find(c); at != std::u16string_view::npos)
            c = static_cast<char16_t>(Plain[at]);
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) {
            if (gap && !piece.empty())
                piece += '_';
            piece += static_cast<char>(c);
            gap = false;
        } else {
            gap = true;
        }
    }
    return piece;
}

// The last word of a person's name.
std::string_view Surname(std::string_view name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    const std::size_t blank = name.find_last_of(" \t");
    return blank == std::string_view::npos ? name : name.substr(blank + 1);
}

} // namespace

std::string ProposedFileName(const ReportForm& form) {
    const auto text = [&form](std::string_view element) {
        const PartValue* part = FindPart(form, element);
        return part != nullptr ? part->Text : std::string();
    };
    std::vector<std::string> pieces;
    switch (form.Kind) {
    case ReportKind::Class:
        pieces = {NamePiece(text("Klasa")), "klasyfikacja"};
        break;
    case ReportKind::Behaviour:
        pieces = {NamePiece(text("Klasa")), "zachowanie"};
        break;
    case ReportKind::Tutor:
        pieces = {NamePiece(text("Klasa")), "wychowawca"};
        break;
    case ReportKind::FailJustification:
        pieces = {NamePiece(text("Klasa")), "ndst", NamePiece(text("Przedmiot"))};
        break;
    case ReportKind::Subject:
        pieces = {"przedmiot", NamePiece(text("Przedmiot")), NamePiece(Surname(text("Belfer")))};
        break;
    case ReportKind::Activity:
        pieces = {"zajecia", NamePiece(text("Zajecia"))};
        break;
    case ReportKind::OtherInfo:
        pieces = {"inne", NamePiece(text("Dotyczy"))};
        break;
    case ReportKind::CardHours:
        pieces = {"karta", NamePiece(Surname(text("Belfer")))};
        break;
    case ReportKind::HeadTeacher:
        pieces = {"sprawozdanie_dyrektora"};
        break;
    }
    std::string name;
    for (const std::string& piece : pieces)
        if (!piece.empty())
            name += (name.empty() ? "" : "_") + piece;
    return name + ".xml";
}

std::span<const FormPart> FormParts(ReportKind kind) {
    switch (kind) {
    case ReportKind::Class:
        return kClassParts;
    case ReportKind::Behaviour:
        return kBehaviourParts;
    case ReportKind::FailJustification:
        return kFailParts;
    case ReportKind::Subject:
        return kSubjectParts;
    case ReportKind::Tutor:
        return kTutorParts;
    case ReportKind::Activity:
        return kActivityParts;
    case ReportKind::OtherInfo:
        return kOtherInfoParts;
    case ReportKind::CardHours:
        return kCardHoursParts;
    case ReportKind::HeadTeacher:
        return kHeadTeacherParts;
    }
    return {};
}

const ShapeLayout& LayoutOf(PartShape shape) {
    return kLayouts[static_cast<std::size_t>(shape)];
}

const RowField* FieldOf(PartShape shape, RowValue value) {
    for (const RowField& field : LayoutOf(shape).Fields)
        if (field.Value == value)
            return &field;
    return nullptr;
}

const std::string& FieldText(const StudentRow& row, RowValue value) {
    if (value == RowValue::Average)
        return row.Average;
    return value == RowValue::Detail ? row.Detail : row.Name;
}

std::string& FieldText(StudentRow& row, RowValue value) {
    return const_cast<std::string&>(FieldText(static_cast<const StudentRow&>(row), value));
}

bool IsStudentBlock(PartShape shape) {
    return shape != Text && shape != Lines;
}

ReportForm EmptyForm(ReportKind kind) {
    ReportForm form;
    form.Kind = kind;
    form.Values.resize(FormParts(kind).size());
    return form;
}

const PartValue* FindPart(const ReportForm& form, std::string_view element) {
    const std::span<const FormPart> parts = FormParts(form.Kind);
    for (std::size_t i = 0; i < parts.size() && i < form.Values.size(); ++i)
        if (parts[i].Element == element)
            return &form.Values[i];
    return nullptr;
}

PartValue* FindPart(ReportForm& form, std::string_view element) {
    return const_cast<PartValue*>(FindPart(static_cast<const ReportForm&>(form), element));
}

std::optional<int> ParseAverage(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    std::int64_t whole = 0;
    std::size_t i = 0;
    // Ten digits already exceed 32 bits in hundredths.
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (i >= 9)
            return std::nullopt;
        whole = whole * 10 + (text[i] - '0');
    }
    if (i == 0)
        return std::nullopt;
    std::int64_t fraction = 0;
    if (i < text.size()) {
        if (text[i] != ',' && text[i] != '.')
            return std::nullopt;
        const std::string_view digits = text.substr(i + 1);
        if (digits.empty() || digits.size() > 2 || !IsDigit(digits[0]) ||
            (digits.size() == 2 && !IsDigit(digits[1])))
            return std::nullopt;
        fraction = (digits[0] - '0') * 10 + (digits.size() == 2 ? digits[1] - '0' : 0);
    }
    const std::int64_t hundredths = (whole * 100 + fraction) * (negative ? -1 : 1);
    if (hundredths > std::numeric_limits<int>::max() ||
        hundredths < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(hundredths);
}

std::string AverageText(int hundredths, std::string_view separator) {
    // Widened first: the smallest int has no positive counterpart.
    const std::int64_t value = hundredths;
    const std::int64_t magnitude = value < 0 ? -value : value;
    std::string text = value < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += separator;
    text += static_cast<char>('0' + magnitude % 100 / 10);
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

std::optional<ReportKind> KindOfName(std::string_view name) {
    if (const std::optional<ReportKind> kind = KindOf(name))
        return kind;
    for (const KindInfo& info : KindTable())
        if (ShortName(info.Kind) == name)
            return info.Kind;
    return std::nullopt;
}

std::string_view ShortName(ReportKind kind) {
    return kShortNames[static_cast<std::size_t>(kind)];
}

} // namespace notarion
