// The figures of the set, checked against counts read by hand from the sample
// schools' reports, and the page that shows them.

#include "generate/SetSummary.h"

#include "ExpectedText.h"
#include "reports/ListFile.h"
#include "reports/ReportCatalogue.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using Column = SummaryColumn;

ReportCatalogue CatalogueOf(const std::vector<std::string>& files) {
    ReportCatalogue catalogue;
    EXPECT_TRUE(LoadCatalogue(catalogue, files, {}));
    return catalogue;
}

// The cells of a row as the page and the CSV show them, in UTF-8.
std::vector<std::string> Row(const ClassFigures& figures) {
    std::vector<std::string> cells = {Cp1250ToUtf8(figures.Class)};
    for (const SummaryColumnInfo& info : SummaryColumns())
        cells.push_back(Cp1250ToUtf8(FigureText(figures[info.Column], info.Column, ",")));
    return cells;
}

const ClassFigures& ClassNamed(const SetSummary& summary, const std::string& name) {
    for (const ClassFigures& figures : summary.Classes)
        if (figures.Class == name)
            return figures;
    throw std::runtime_error("no class " + name);
}

TEST(SetSummary, SampleSchoolGivesTheCountsOfItsReports) {
    ReportCatalogue catalogue;
    ASSERT_TRUE(
        ReadListFile(catalogue, (fs::path(NOTARION_EXAMPLES) / "szkola" / "szkola.xmp").string()));
    const SetSummary summary = SummariseSet(catalogue);
    ASSERT_EQ(summary.Classes.size(), 16u);
    EXPECT_EQ(summary.Classes.front().Class, "1a");
    EXPECT_EQ(summary.Classes.back().Class, "4d");
    EXPECT_TRUE(summary.Notes.empty());

    // Counted in 1a_klasyfikacja.xml and 1a_zachowanie.xml: six averages
    // adding up to 31,02; two justifications naming three students.
    using Cells = std::vector<std::string>;
    EXPECT_EQ(Row(ClassNamed(summary, "1a")),
              (Cells{"1a", "30", "28", "2", "6", "5,17", "3", "2", "30", "2", "3"}));
    EXPECT_EQ(Row(ClassNamed(summary, "1b")),
              (Cells{"1b", "23", "23", "0", "6", "5,09", "0", "0", "23", "4", "1"}));
    // 26,63 over five is 5,326: the mean is rounded to hundredths.
    EXPECT_EQ(Row(ClassNamed(summary, "4d")),
              (Cells{"4d", "24", "24", "0", "5", "5,33", "4", "0", "24", "2", "1"}));

    // The sixteen classes: 431 classified, 424 promoted, 19 students with
    // lowered behaviour in the justifications.
    const ClassFigures& totals = summary.Totals;
    EXPECT_EQ(totals[Column::Classified].Value, 431);
    EXPECT_EQ(totals[Column::Promoted].Value, 424);
    EXPECT_EQ(totals[Column::NotPromoted].Value, 7);
    EXPECT_EQ(totals[Column::BehaviourClassified].Value, 431);
    EXPECT_EQ(totals[Column::Lowered].Value, 19);
    EXPECT_EQ(ShareText(ShareTenths(summary, Column::Promoted), ","), "98,4%");
    EXPECT_FALSE(ShareTenths(summary, Column::Exemplary));
}

TEST(SetSummary, DamagedValuesAreShownAsWrittenAndMissingReportsAreNamed) {
    const fs::path folder = fs::path(NOTARION_EXAMPLES) / "uszkodzone";
    const SetSummary summary = SummariseSet(CatalogueOf(testing::SchoolReportFiles(folder)));
    // The behaviour reports come first in the set; the report whose kind is
    // misspelt (2a) is none of the set's.
    ASSERT_EQ(summary.Classes.size(), 3u);
    EXPECT_EQ(summary.Classes[0].Class, "1a");
    EXPECT_EQ(summary.Classes[1].Class, "4a");
    EXPECT_EQ(summary.Classes[2].Class, "3a");

    const ClassFigures& first = summary.Classes[0];
    EXPECT_EQ(first[Column::Attendance].State, FigureState::AsWritten);
    EXPECT_EQ(first[Column::Attendance].Text, "trzy");
    EXPECT_EQ(FigureText(first[Column::DistinguishedAverage], Column::DistinguishedAverage, "."),
              "5.23");
    // 3a has no behaviour report, and one distinguished student without an
    // average: the mean is that of the other four.
    const ClassFigures& third = summary.Classes[2];
    EXPECT_EQ(Cp1250ToUtf8(FigureText(third[Column::Exemplary], Column::Exemplary, ",")),
              "brak sprawozdania");
    EXPECT_EQ(third[Column::DistinguishedAverage].Value, 532);
    // 4a: nobody distinguished, so no mean to show.
    EXPECT_EQ(Cp1250ToUtf8(FigureText(summary.Classes[1][Column::DistinguishedAverage],
                                      Column::DistinguishedAverage, ",")),
              "–");

    // The word "trzy" is left out of the totals, and a note says so.
    EXPECT_EQ(summary.Totals[Column::Attendance].Value, 6);
    EXPECT_EQ(summary.Totals[Column::Classified].Value, 80);
    ASSERT_EQ(summary.Notes.size(), 1u);
    EXPECT_NE(Cp1250ToUtf8(summary.Notes[0]).find("Klasa 1a, Ze stuprocentową frekwencją: „trzy”"),
              std::string::npos)
        << Cp1250ToUtf8(summary.Notes[0]);
}

TEST(SetSummary, ClassesMeetByNameAndASecondReportIsNotCountedTwice) {
    testing::TempFolder folder;
    const auto classReport = [](const std::string& klasa, const std::string& classified) {
        return testing::ReportXml(
            {{"Doc", "Klasyfikacja klasy"},
             {"Klasa", klasa},
             {"Klasyfikowanych", classified},
             {"Promowanych", "20"},
             {"Frekwencja", "<IleOsob>0</IleOsob>"},
             {"Pasek", "<IleOsob>1</IleOsob><Uczen1>Ala<Srednia>0</Srednia></Uczen1>"},
             {"Ndst", "<IleOsob>0</IleOsob>"}});
    };
    const std::vector<std::string> files = {
        testing::WriteReport(folder.File("a.xml"), classReport("2b", "dwadzieścia")),
        testing::WriteReport(folder.File("b.xml"), classReport(" 2B ", "22")),
        testing::WriteReport(
            folder.File("c.xml"),
            testing::ReportXml({{"Doc", "Klasyfikacja klasy z zachowania"},
                                {"Klasa", "2 b"},
                                {"Klasyfikowanych", "22"},
                                {"Wzorowi", "<IleOsob>0</IleOsob>"},
                                {"Obnizone", "<Ilosc>2</Ilosc><Uzasadnienie1><Osoba>Jan, , Ewa,"
                                             "</Osoba></Uzasadnienie1><Uzasadnienie2><Osoba>Olek"
                                             "</Osoba></Uzasadnienie2>"}})),
    };
    const SetSummary summary = SummariseSet(CatalogueOf(files));
    // "2B" is the class "2b"; "2 b" is another class.
    ASSERT_EQ(summary.Classes.size(), 2u);
    const ClassFigures& first = ClassNamed(summary, "2b");
    EXPECT_EQ(first[Column::Classified].Text, Utf8ToCp1250("dwadzieścia"));
    EXPECT_EQ(first[Column::NotPromoted].State, FigureState::None);
    // An average of 0 means none was given.
    EXPECT_EQ(first[Column::DistinguishedAverage].State, FigureState::None);
    EXPECT_EQ(first[Column::Exemplary].State, FigureState::NoReport);
    EXPECT_EQ(ClassNamed(summary, "2 b")[Column::Lowered].Value, 3);
    // The free-text class count and the second class report are both noted;
    // no share is taken of students whose classified count is unknown.
    EXPECT_EQ(summary.Notes.size(), 2u);
    EXPECT_EQ(summary.Totals[Column::Promoted].Value, 20);
    EXPECT_FALSE(ShareTenths(summary, Column::Promoted));
}

} // namespace
} // namespace notarion
