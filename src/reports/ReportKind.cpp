#include "reports/ReportKind.h"

namespace notarion {
namespace {

// The kind texts by selector index. Report files carry exactly these texts in
// their "Doc" element; all nine are plain ASCII, so they are the same bytes in
// cp1250 and UTF-8.
constexpr std::array<std::string_view, ReportKindCount> kKindTexts = {
    "Klasyfikacja klasy",
    "Klasyfikacja klasy z zachowania",
    "Uzasadnienie oceny niedostatecznej",
    "Realizacja programu z przedmiotu nauczania",
    "Realizacja programu wychowawczego",
    "Realizacja dodatkowych",
    "Inne informacje",
    "Z karty",
    "Sprawozdanie dyrektora",
};

// Selector indexes in the order of the ordered catalogue: the behaviour
// classification comes before the class classification, the card hours
// before the other information, and the head teacher's report is last.
constexpr std::array<int, ReportKindCount> kCatalogueOrder = {1, 0, 2, 3, 4, 5, 7, 6, 8};

} // namespace

std::string KindText(int index) {
    if (index < 0 || index >= ReportKindCount)
        return {};
    return std::string(kKindTexts[static_cast<std::size_t>(index)]);
}

int KindIndex(std::string_view kind) {
    for (int i = 0; i < ReportKindCount; ++i)
        if (kKindTexts[static_cast<std::size_t>(i)] == kind)
            return i;
    return -1;
}

const std::array<std::string, ReportKindCount>& KindsInCatalogueOrder() {
    static const std::array<std::string, ReportKindCount> kinds = [] {
        std::array<std::string, ReportKindCount> ordered;
        for (std::size_t i = 0; i < ordered.size(); ++i)
            ordered[i] = KindText(kCatalogueOrder[i]);
        return ordered;
    }();
    return kinds;
}

} // namespace notarion
