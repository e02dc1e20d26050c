#include "reports/ReportKind.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace notarion {
namespace {

struct KindRow {
    int Index;
    std::string Text;
};

TEST(ReportKind, TextsFollowTheSelectorIndexAndOutsideIndexesGiveEmptyText) {
    const std::vector<KindRow> rows = {
        {0, "Klasyfikacja klasy"},
        {1, "Klasyfikacja klasy z zachowania"},
        {2, "Uzasadnienie oceny niedostatecznej"},
        {3, "Realizacja programu z przedmiotu nauczania"},
        {4, "Realizacja programu wychowawczego"},
        {5, "Realizacja dodatkowych"},
        {6, "Inne informacje"},
        {7, "Z karty"},
        {8, "Sprawozdanie dyrektora"},
        {-1, ""},
        {9, ""},
        {1000, ""},
    };
    for (const KindRow& row : rows) {
        SCOPED_TRACE(row.Index);
        EXPECT_EQ(KindText(row.Index), row.Text);
        if (!row.Text.empty()) {
            EXPECT_EQ(KindIndex(row.Text), row.Index);
        }
    }
}

TEST(ReportKind, KindsAreComparedExactlyLetterCaseAndBlanksIncluded) {
    for (const std::string text : {"klasyfikacja klasy", "Klasyfikacja Klasy", " Z karty",
                                   "Z karty ", "Realizacja zajęć dodatkowych", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(KindIndex(text), -1);
    }
}

TEST(ReportKind, CatalogueOrderPutsBehaviourFirstAndHeadTeacherLast) {
    const std::array<std::string, ReportKindCount> expected = {
        "Klasyfikacja klasy z zachowania",
        "Klasyfikacja klasy",
        "Uzasadnienie oceny niedostatecznej",
        "Realizacja programu z przedmiotu nauczania",
        "Realizacja programu wychowawczego",
        "Realizacja dodatkowych",
        "Z karty",
        "Inne informacje",
        "Sprawozdanie dyrektora",
    };
    EXPECT_EQ(KindsInCatalogueOrder(), expected);
}

} // namespace
} // namespace notarion
