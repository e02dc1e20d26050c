#include "reports/ReportKind.h"

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
    FormPart{"Frekwencja", Names, "Uczniowie ze stuprocentową frekwencją",
             "Stuprocentowa frekwencja"},
    FormPart{"Pasek", NamesWithAverage, "Uczniowie zasługujący na wyróżnienie"},
    FormPart{"Ndst", NamesWithSubjects, "Uczniowie z ocenami niedostatecznymi"},
};
constexpr std::array kBehaviourParts{
    FormPart{"Klasa", Text, "Klasa"},
    FormPart{"Belfer", Text, "Wychowawca klasy"},
    FormPart{"Klasyfikowanych", Text, "Klasyfikowanych ogółem"},
    // The misspelling is the label schools know from their printed protocols.
    FormPart{"Wzorowi", Names, "Uczniowie wzorowi", "Uzcniowie wzorowi"},
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
    RowField{RowValue::Average, "Srednia", {}, "Srednia", "Średnia (np. 4,75)", {}, {}, "średnia "},
};
constexpr std::array kSubjectFields{
    RowField{RowValue::Name, {}, {}, "Uczen", "Uczeń"},
    RowField{RowValue::Detail, "Przedmioty", {}, "Przedmioty", "Przedmioty"},
};
constexpr std::array kJustificationFields{
    RowField{RowValue::Name, "Osoba", {}, "Osoba", "Uczeń lub uczniowie", "Uczeń", "Uczniowie"},
    RowField{RowValue::Lines, "Wiersz", "IloscWierszy", "Wiersze", "Uzasadnienie (wiersze)"},
};
constexpr std::array kGradedJustificationFields{
    RowField{RowValue::Name, "Osoba", {}, "Osoba", "Uczeń lub uczniowie", "Uczeń", "Uczniowie"},
    RowField{RowValue::Detail, "Ocena", {}, "Ocena", "Ocena", "Ocena", "Ocena", "ocena: "},
    RowField{RowValue::Lines, "Wiersz", "IloscWierszy", "Wiersze", "Uzasadnienie (wiersze)"},
};

// Indexed by the shape's value.
constexpr std::array<ShapeLayout, PartShapeCount> kLayouts{{
    {},
    {"IloscWierszy", "w", 0, {}},
    {"IleOsob", "Uczen", 1, kNameFields},
    {"IleOsob", "Uczen", 1, kAverageFields},
    {"IleOsob", "Uczen", 1, kSubjectFields},
    {"Ilosc", "Uzasadnienie", 1, kJustificationFields},
    {"Ilosc", "Uzasadnienie", 1, kGradedJustificationFields},
}};

// The subject of an "other information" report can be a long sentence, so
// only its start goes into the title shown in the list.
constexpr std::size_t kConcernsLength = 60;

// The behaviour classification comes before the class classification in the
// catalogue, the card hours before the other information, and the head
// teacher's report is last. The protocol documents follow their own order.
constexpr std::array<KindInfo, ReportKindCount> kKinds = {{
    {ReportKind::Class,
     "Klasyfikacja klasy",
     "Klasyfikacja klasy",
     1,
     0,
     "Prot_KlasyfikacjaOceny.htm",
     "KLASYFIKACJA UCZNIÓW",
     "KLASYFIKACJA KLASY - ",
     {{{"Klasa"}, {"Belfer"}}},
     "klasyfikacja",
     1,
     "Klasyfikacja uczniów - nauczanie",
     kClassParts},
    {ReportKind::Behaviour,
     "Klasyfikacja klasy z zachowania",
     "Klasyfikacja klasy z zachowania",
     0,
     1,
     "Prot_KlasyfikacjaZachowanie.htm",
     "KLASYFIKACJA UCZNIÓW Z ZACHOWANIA",
     "ZACHOWANIE - ",
     {{{"Klasa"}, {"Belfer"}}},
     "zachowanie",
     0,
     "Klasyfikacja uczniów - zachowanie",
     kBehaviourParts},
    {ReportKind::FailJustification,
     "Uzasadnienie oceny niedostatecznej",
     "Uzasadnienie oceny niedostatecznej",
     2,
     5,
     "Prot_UzasadnienieNdst.htm",
     "UZASADNIENIE OCENY NIEDOSTATECZNEJ",
     "UZASADNIENIE OCENY NIEDOSTATECZNEJ - ",
     {{{"Przedmiot"}, {"Klasa"}, {"Belfer"}}},
     "ndst",
     2,
     "Uzasadnienia ocen niedostatecznych",
     kFailParts},
    {ReportKind::Subject,
     "Realizacja programu z przedmiotu nauczania",
     "Realizacja programu z przedmiotu nauczania",
     3,
     2,
     "Prot_RealizacjaProgramow.htm",
     "REALIZACJA PROGRAMÓW NAUCZANIA",
     "REALIZACJA PROGRAMU NAUCZANIA",
     {{{"Przedmiot"}, {"Belfer"}}},
     "przedmiot",
     3,
     "Realizacja programów nauczania",
     kSubjectParts},
    {ReportKind::Tutor,
     "Realizacja programu wychowawczego",
     "Realizacja programu wychowawczego",
     4,
     3,
     "Prot_RealizacjaProgramowWych.htm",
     "REALIZACJA PROGRAMÓW WYCHOWAWCZYCH",
     "REALIZACJA PROGRAMU WYCHOWAWCZEGO",
     {{{"Klasa"}, {"Belfer"}}},
     "wychowawca",
     4,
     "Realizacja programów wychowawczych",
     kTutorParts},
    {ReportKind::Activity,
     "Realizacja dodatkowych",
     "Realizacja zajęć dodatkowych",
     5,
     4,
     "Prot_RealizacjaZadanDod.htm",
     "REALIZACJA ZADAŃ DODATKOWYCH",
     "REALIZACJA ZAJĘĆ DODATKOWYCH",
     {{{"Zajecia"}, {"Belfer"}}},
     "zajecia",
     5,
     "Realizacja zadań dodatkowych",
     kActivityParts},
    {ReportKind::OtherInfo,
     "Inne informacje",
     "Inne informacje",
     7,
     8,
     "Prot_InneZadania.htm",
     "INNE ZADANIA",
     "INNE INFORMACJE",
     {{{"Dotyczy", kConcernsLength}, {"Belfer"}}},
     "inne",
     7,
     "Realizacja innych zadań",
     kOtherInfoParts},
    {ReportKind::CardHours,
     "Z karty",
     "Realizacja zajęć wynikających z karty",
     6,
     7,
     "Prot_GodzinyKartowe.htm",
     "REALIZACJA GODZIN WYNIKAJĄCYCH Z KARTY",
     "REALIZACJA ZAJĘĆ WYNIKAJĄCYCH Z KARTY",
     {{{"Belfer"}}},
     "karta",
     6,
     "Realizacja godzin kartowych",
     kCardHoursParts},
    {ReportKind::HeadTeacher,
     "Sprawozdanie dyrektora",
     "Sprawozdanie dyrektora",
     8,
     6,
     "Prot_SprawozdanieDyr.htm",
     "",
     "SPRAWOZDANIE DYREKTORA SZKOŁY",
     {{{"Belfer"}}},
     "dyrektor",
     8,
     "Sprawozdanie dyrektora szkoły",
     kHeadTeacherParts},
}};

// The table is indexed by the enumeration, every kind holds parts and has a
// heading for its preview, and each position names one place: a row out of
// place or a position used twice would give a kind another kind's texts or
// drop a kind from the catalogue or the set.
constexpr bool TableIsConsistent() {
    std::array<int, ReportKindCount> catalogue{};
    std::array<int, ReportKindCount> protocol{};
    std::array<int, ReportKindCount> option{};
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        if (static_cast<std::size_t>(kKinds[i].Kind) != i || kKinds[i].Parts.empty() ||
            kKinds[i].SectionHeading.empty())
            return false;
        ++catalogue[static_cast<std::size_t>(kKinds[i].CataloguePosition)];
        ++protocol[static_cast<std::size_t>(kKinds[i].ProtocolPosition)];
        ++option[static_cast<std::size_t>(kKinds[i].OptionPosition)];
    }
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (catalogue[i] != 1 || protocol[i] != 1 || option[i] != 1)
            return false;
    // A new report has its title: every piece of it is a text part of the kind.
    for (const KindInfo& kind : kKinds) {
        for (const TitlePiece& piece : kind.TitlePieces) {
            bool found = piece.Element.empty();
            for (const FormPart& part : kind.Parts)
                found = found || (part.Element == piece.Element && part.Shape == Text);
            if (!found)
                return false;
        }
    }
    return true;
}
static_assert(TableIsConsistent());

} // namespace

const ShapeLayout& LayoutOf(PartShape shape) {
    return kLayouts[static_cast<std::size_t>(shape)];
}

const RowField* FieldOf(PartShape shape, RowValue value) {
    for (const RowField& field : LayoutOf(shape).Fields)
        if (field.Value == value)
            return &field;
    return nullptr;
}

int PartIndex(ReportKind kind, std::string_view element) {
    const std::span<const FormPart> parts = Info(kind).Parts;
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i].Element == element)
            return static_cast<int>(i);
    return -1;
}

const std::array<KindInfo, ReportKindCount>& KindTable() {
    return kKinds;
}

const KindInfo& Info(ReportKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

std::optional<ReportKind> KindOf(std::string_view text) {
    for (const KindInfo& info : kKinds)
        if (info.Text == text)
            return info.Kind;
    return std::nullopt;
}

std::string KindText(int index) {
    if (index < 0 || index >= ReportKindCount)
        return {};
    return std::string(kKinds[static_cast<std::size_t>(index)].Text);
}

std::string KindText(ReportKind kind) {
    return std::string(Info(kind).Text);
}

int KindIndex(std::string_view kind) {
    const std::optional<ReportKind> found = KindOf(kind);
    return found ? static_cast<int>(*found) : -1;
}

const std::array<std::string, ReportKindCount>& KindsInCatalogueOrder() {
    static const std::array<std::string, ReportKindCount> kinds = [] {
        std::array<std::string, ReportKindCount> ordered;
        for (const KindInfo& info : kKinds)
            ordered[static_cast<std::size_t>(info.CataloguePosition)] = std::string(info.Text);
        return ordered;
    }();
    return kinds;
}

} // namespace notarion
