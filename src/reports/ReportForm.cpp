#include "reports/ReportForm.h"

#include "text/Cp1250.h"

#include <array>
#include <cstdint>
#include <limits>

namespace notarion {
namespace {

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
    // The kind's command-line name marks the file, after its class or before
    // what it is about.
    const std::string kind(ShortName(form.Kind));
    std::vector<std::string> pieces;
    switch (form.Kind) {
    case ReportKind::Class:
    case ReportKind::Behaviour:
    case ReportKind::Tutor:
        pieces = {NamePiece(text("Klasa")), kind};
        break;
    case ReportKind::FailJustification:
        pieces = {NamePiece(text("Klasa")), kind, NamePiece(text("Przedmiot"))};
        break;
    case ReportKind::Subject:
        pieces = {kind, NamePiece(text("Przedmiot")), NamePiece(Surname(text("Belfer")))};
        break;
    case ReportKind::Activity:
        pieces = {kind, NamePiece(text("Zajecia"))};
        break;
    case ReportKind::OtherInfo:
        pieces = {kind, NamePiece(text("Dotyczy"))};
        break;
    case ReportKind::CardHours:
        pieces = {kind, NamePiece(Surname(text("Belfer")))};
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
    return Info(kind).Parts;
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
    return shape != PartShape::Text && shape != PartShape::Lines;
}

ReportForm EmptyForm(ReportKind kind) {
    ReportForm form;
    form.Kind = kind;
    form.Values.resize(FormParts(kind).size());
    return form;
}

const PartValue* FindPart(const ReportForm& form, std::string_view element) {
    const int at = PartIndex(form.Kind, element);
    return at >= 0 && static_cast<std::size_t>(at) < form.Values.size()
               ? &form.Values[static_cast<std::size_t>(at)]
               : nullptr;
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
    return Info(kind).ShortName;
}

} // namespace notarion
