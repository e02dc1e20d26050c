#include "reports/ReportKind.h"

namespace notarion {
namespace {

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
     {{{"Klasa"}, {"Belfer"}}}},
    {ReportKind::Behaviour,
     "Klasyfikacja klasy z zachowania",
     "Klasyfikacja klasy z zachowania",
     0,
     1,
     "Prot_KlasyfikacjaZachowanie.htm",
     "KLASYFIKACJA UCZNIÓW Z ZACHOWANIA",
     {{{"Klasa"}, {"Belfer"}}}},
    {ReportKind::FailJustification,
     "Uzasadnienie oceny niedostatecznej",
     "Uzasadnienie oceny niedostatecznej",
     2,
     5,
     "Prot_UzasadnienieNdst.htm",
     "UZASADNIENIE OCENY NIEDOSTATECZNEJ",
     {{{"Przedmiot"}, {"Klasa"}, {"Belfer"}}}},
    {ReportKind::Subject,
     "Realizacja programu z przedmiotu nauczania",
     "Realizacja programu z przedmiotu nauczania",
     3,
     2,
     "Prot_RealizacjaProgramow.htm",
     "REALIZACJA PROGRAMÓW NAUCZANIA",
     {{{"Przedmiot"}, {"Belfer"}}}},
    {ReportKind::Tutor,
     "Realizacja programu wychowawczego",
     "Realizacja programu wychowawczego",
     4,
     3,
     "Prot_RealizacjaProgramowWych.htm",
     "REALIZACJA PROGRAMÓW WYCHOWAWCZYCH",
     {{{"Klasa"}, {"Belfer"}}}},
    {ReportKind::Activity,
     "Realizacja dodatkowych",
     "Realizacja zajęć dodatkowych",
     5,
     4,
     "Prot_RealizacjaZadanDod.htm",
     "REALIZACJA ZADAŃ DODATKOWYCH",
     {{{"Zajecia"}, {"Belfer"}}}},
    {ReportKind::OtherInfo,
     "Inne informacje",
     "Inne informacje",
     7,
     8,
     "Prot_InneZadania.htm",
     "INNE ZADANIA",
     {{{"Dotyczy", kConcernsLength}, {"Belfer"}}}},
    {ReportKind::CardHours,
     "Z karty",
     "Realizacja zajęć wynikających z karty",
     6,
     7,
     "Prot_GodzinyKartowe.htm",
     "REALIZACJA GODZIN WYNIKAJĄCYCH Z KARTY",
     {{{"Belfer"}}}},
    {ReportKind::HeadTeacher,
     "Sprawozdanie dyrektora",
     "Sprawozdanie dyrektora",
     8,
     6,
     "Prot_SprawozdanieDyr.htm",
     "",
     {{{"Belfer"}}}},
}};

// The table is indexed by the enumeration, and each position names one place:
// a row out of place or a position used twice would give a kind another
// kind's texts or drop a kind from the catalogue or the set.
constexpr bool TableIsConsistent() {
    std::array<int, ReportKindCount> catalogue{};
    std::array<int, ReportKindCount> protocol{};
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        if (static_cast<std::size_t>(kKinds[i].Kind) != i)
            return false;
        ++catalogue[static_cast<std::size_t>(kKinds[i].CataloguePosition)];
        ++protocol[static_cast<std::size_t>(kKinds[i].ProtocolPosition)];
    }
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (catalogue[i] != 1 || protocol[i] != 1)
            return false;
    return true;
}
static_assert(TableIsConsistent());

} // namespace

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
