#include "check/SetChecks.h"
#include "check/ReportCheck.h"
#include "check/FindingText.h"

#include "reports/ReportCatalogue.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace notarion {
namespace {

using testing::TempFolder;
using testing::Utf16File;
using testing::WriteBytes;
using testing::WriteReport;

std::string Counted(const std::string& group, const std::string& count,
                    const std::vector<std::string>& items) {
    std::string xml =
        "<" + group + "><" + count + ">" + std::to_string(items.size()) + "</" + count + ">";
    for (const std::string& item : items)
        xml += item;
    return xml + "</" + group + ">";
}

std::string ClassReport(const std::string& klasa, const std::vector<std::string>& failing,
                        const std::vector<std::string>& distinguished) {
    return "<Szkola><Doc>Klasyfikacja klasy</Doc><Klasa>" + klasa + "</Klasa>" +
           Counted("Frekwencja", "IleOsob", {}) + Counted("Pasek", "IleOsob", distinguished) +
           Counted("Ndst", "IleOsob", failing) + "</Szkola>";
}

std::string BehaviourReport(const std::string& klasa, const std::vector<std::string>& lowered) {
    return "<Szkola><Doc>Klasyfikacja klasy z zachowania</Doc><Klasa>" + klasa + "</Klasa>" +
           Counted("Wzorowi", "IleOsob", {}) + Counted("Obnizone", "Ilosc", lowered) +
           Counted("Uwagi", "IloscWierszy", {}) + "</Szkola>";
}

std::string TutorReport(const std::string& klasa) {
    return "<Szkola><Doc>Realizacja programu wychowawczego</Doc><Klasa>" + klasa +
           "</Klasa><Ogolne><IloscWierszy>0</IloscWierszy></Ogolne><Sukcesy><IloscWierszy>0"
           "</IloscWierszy></Sukcesy><Wnioski><IloscWierszy>0</IloscWierszy></Wnioski></Szkola>";
}

std::string Justification(const std::string& klasa, const std::string& subject,
                          const std::vector<std::string>& who) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < who.size(); ++i) {
        const std::string tag = "Uzasadnienie" + std::to_string(i + 1);
        items.push_back("<" + tag + "><Osoba>" + who[i] +
                        "</Osoba><IloscWierszy>0</IloscWierszy></" + tag + ">");
    }
    return "<Szkola><Doc>Uzasadnienie oceny niedostatecznej</Doc><Klasa>" + klasa +
           "</Klasa><Przedmiot>" + subject + "</Przedmiot>" +
           Counted("Uzasadnienia", "Ilosc", items) + "</Szkola>";
}

std::string Failing(int i, const std::string& name, const std::string& subjects) {
    const std::string tag = "Uczen" + std::to_string(i);
    return "<" + tag + ">" + name + "<Przedmioty>" + subjects + "</Przedmioty></" + tag + ">";
}

std::string Distinguished(int i, const std::string& name, const std::string& average) {
    const std::string tag = "Uczen" + std::to_string(i);
    return "<" + tag + ">" + name + "<Srednia>" + average + "</Srednia></" + tag + ">";
}

std::string Lowered(int i, const std::string& who) {
    const std::string tag = "Uzasadnienie" + std::to_string(i);
    return "<" + tag + "><Osoba>" + who +
           "</Osoba><Ocena>nieodpowiednie</Ocena>"
           "<IloscWierszy>0</IloscWierszy></" +
           tag + ">";
}

// (code, file name, element, student, subject) of each finding.
using Row = std::tuple<std::string, std::string, std::string, std::string, std::string>;

std::vector<Row> Rows(const CheckResult& result, const TempFolder& folder) {
    std::vector<Row> rows;
    for (const Finding& finding : result.Findings) {
        rows.emplace_back(ProblemCode(finding.Kind), finding.File.substr(folder.Text().size() + 1),
                          finding.Element, Cp1250ToUtf8(finding.Student),
                          Cp1250ToUtf8(finding.Subject));
    }
    return rows;
}

TEST(SetChecks, EachGapOfASetIsNamedWhereItIsAndNowhereElse) {
    TempFolder folder;
    const std::vector<std::string> paths = {
        WriteReport(folder.File("1a_klasa.xml"),
                    ClassReport("1a",
                                {Failing(1, "Tomasz  Nowak", "matematyka, Fizyka"),
                                 Failing(2, "Ewa Lis", "chemia")},
                                {Distinguished(1, "Anna Kos", "460"),
                                 Distinguished(2, "Olga Wróbel", "500"),
                                 Distinguished(3, "Alicja Mak", "4"),
                                 Distinguished(4, "Jan Zając", "480")})),
        WriteReport(folder.File("1a_zach.xml"),
                    BehaviourReport(" 1A ", {Lowered(1, "Piotr Sowa, jan zając")})),
        WriteReport(folder.File("1a_wych.xml"), TutorReport("1a")),
        // Names and subjects match without regard to case and extra blanks.
        WriteReport(folder.File("1a_mat.xml"),
                    Justification("1a", "Matematyka", {"tomasz nowak", "Ewa Lis"})),
        WriteReport(folder.File("1a_chem.xml"), Justification("1a ", "chemia", {" ewa  lis"})),
        WriteReport(folder.File("2b_klasa.xml"), ClassReport("2b", {}, {})),
        WriteReport(folder.File("2b_zach.xml"), BehaviourReport("2B", {})),
        WriteReport(folder.File("10c_wych.xml"), TutorReport("10c")),
        WriteReport(folder.File("bez_klasy.xml"), TutorReport("")),
    };
    const CheckResult result = CheckReportFiles(paths);
    const std::vector<Row> expected = {
        {"missing-class-report", "10c_wych.xml", "Szkola/Klasa", "", ""},
        {"missing-behaviour-report", "10c_wych.xml", "Szkola/Klasa", "", ""},
        {"failing-grade-without-justification", "1a_klasa.xml", "Szkola/Ndst/Uczen1/Przedmioty",
         "Tomasz  Nowak", "Fizyka"},
        {"justification-without-failing-grade", "1a_mat.xml",
         "Szkola/Uzasadnienia/Uzasadnienie2/Osoba", "Ewa Lis", "Matematyka"},
        {"distinguished-below-threshold", "1a_klasa.xml", "Szkola/Pasek/Uczen1/Srednia", "Anna Kos",
         ""},
        {"distinguished-with-lowered-behaviour", "1a_klasa.xml", "Szkola/Pasek/Uczen4", "Jan Zając",
         ""},
        {"missing-tutor-report", "2b_klasa.xml", "Szkola/Klasa", "", ""},
    };
    EXPECT_EQ(Rows(result, folder), expected);
    EXPECT_EQ(result.Findings[4].Value, "460");
    EXPECT_EQ(result.Findings[5].OtherFile, paths[1]);
    EXPECT_EQ(result.Findings[0].Class, "10c");

    std::vector<std::tuple<std::string, int, int, int>> classes;
    for (const ClassTally& tally : result.Classes)
        classes.emplace_back(tally.Name, tally.ClassReports, tally.BehaviourReports,
                             tally.TutorReports);
    const std::vector<std::tuple<std::string, int, int, int>> expectedClasses = {
        {"10c", 0, 0, 1}, {"1a", 1, 1, 1}, {"2b", 1, 1, 0}};
    EXPECT_EQ(classes, expectedClasses);
}

TEST(SetChecks, CountsThatDisagreeWithTheStudentsNamedAreWarnedOf) {
    TempFolder folder;
    const auto withCounts = [](std::string report, const std::string& counts) {
        return report.insert(report.find("</Klasa>") + 8, counts);
    };
    const std::vector<std::string> paths = {
        // Three different students named (Ala twice, in another case), two classified.
        WriteReport(folder.File("k.xml"),
                    withCounts(ClassReport("3a", {Failing(1, "ALA  Kot", "fizyka")},
                                           {Distinguished(1, "Ala Kot", "500"),
                                            Distinguished(2, "Ola Lis", "500"),
                                            Distinguished(3, "Ela Mak", "500")}),
                               "<Klasyfikowanych> 2 </Klasyfikowanych>"
                               "<Promowanych>3</Promowanych>")),
        WriteReport(folder.File("z.xml"),
                    withCounts(BehaviourReport("3a", {Lowered(1, "Jan, Ewa")}),
                               "<Klasyfikowanych>1</Klasyfikowanych>")),
        WriteReport(folder.File("w.xml"), TutorReport("3a")),
        WriteReport(folder.File("u.xml"), Justification("3a", "fizyka", {"Ala Kot"})),
        // Counts that agree, and a free-text count, which is no finding.
        WriteReport(folder.File("k4.xml"),
                    withCounts(ClassReport("4a", {}, {Distinguished(1, "Iza", "500")}),
                               "<Klasyfikowanych>1</Klasyfikowanych>"
                               "<Promowanych>1</Promowanych>")),
        WriteReport(folder.File("z4.xml"),
                    withCounts(BehaviourReport("4a", {Lowered(1, "Ola, Ula")}),
                               "<Klasyfikowanych>dwoje</Klasyfikowanych>")),
        WriteReport(folder.File("w4.xml"), TutorReport("4a")),
    };
    const CheckResult result = CheckReportFiles(paths);
    const std::vector<Row> expected = {
        {"classified-below-named-students", "k.xml", "Szkola/Klasyfikowanych", "", ""},
        {"promoted-above-classified", "k.xml", "Szkola/Promowanych", "", ""},
        {"classified-below-named-students", "z.xml", "Szkola/Klasyfikowanych", "", ""},
        {"distinguished-with-failing-grade", "k.xml", "Szkola/Pasek/Uczen1", "Ala Kot", ""},
    };
    ASSERT_EQ(Rows(result, folder), expected);
    for (const Finding& finding : result.Findings)
        EXPECT_EQ(finding.Level, Severity::Warning);
    const auto message = [&](std::size_t i) {
        return FindingMessage(result.Findings[i], [](std::string_view text) {
            return std::string(text);
        });
    };
    EXPECT_EQ(message(0), "liczba klasyfikowanych „2” (Szkola/Klasyfikowanych) jest mniejsza niż "
                          "liczba uczniów wymienionych w sprawozdaniu: 3.");
    EXPECT_EQ(message(1), "liczba promowanych „3” (Szkola/Promowanych) jest większa niż liczba "
                          "klasyfikowanych „2”.");
    EXPECT_EQ(result.Findings[2].OtherValue, "2");
    EXPECT_EQ(message(3), "uczeń wyróżniony „Ala Kot” jest też wymieniony wśród uczniów z ocenami "
                          "niedostatecznymi (Szkola/Ndst/Uczen1).");
}

TEST(SetChecks, ACompleteSetHasNoFindingAcrossReports) {
    TempFolder folder;
    const std::vector<std::string> paths = {
        WriteReport(folder.File("k.xml"), ClassReport("3a", {Failing(1, "Jan", "fizyka")},
                                                      {Distinguished(1, "Ewa", "475")})),
        WriteReport(folder.File("z.xml"), BehaviourReport("3a", {Lowered(1, "Tom")})),
        WriteReport(folder.File("w.xml"), TutorReport("3a")),
        WriteReport(folder.File("u.xml"), Justification("3a", "fizyka", {"Jan"})),
    };
    const CheckResult result = CheckReportFiles(paths);
    EXPECT_TRUE(result.Findings.empty()) << ProblemCode(result.Findings.front().Kind);
    ASSERT_EQ(result.Classes.size(), 1u);
}

TEST(SetChecks, ListedSetIsComparedWithItsListPositions) {
    TempFolder folder;
    ReportCatalogue catalogue;
    catalogue.Slots = {
        {"z", WriteReport(folder.File("z.xml"), BehaviourReport("4d", {})),
         "Klasyfikacja klasy z zachowania"},
        {"w", WriteReport(folder.File("w.xml"), TutorReport("4d")),
         "Realizacja programu wychowawczego"},
    };
    catalogue.Count = 2;
    const CheckResult result = CheckListedReports(catalogue);
    ASSERT_EQ(result.Findings.size(), 1u);
    EXPECT_EQ(result.Findings[0].Kind, Problem::MissingClassReport);
    EXPECT_EQ(result.Findings[0].ListPosition, 0);
}

TEST(SetChecks, TheWindowsSetAlsoNamesTheFolderFilesItsCatalogueLeftOut) {
    TempFolder folder;
    const std::string behaviour = WriteReport(folder.File("z.xml"), BehaviourReport("4d", {}));
    const std::string misspelt = WriteReport(
        folder.File("k.xml"), "<Szkola><Doc>Klasyfikacja klasX</Doc><Klasa>4d</Klasa></Szkola>");
    ReportCatalogue catalogue;
    catalogue.Slots = {{"z", behaviour, "Klasyfikacja klasy z zachowania"}, {"", "", ""}};
    catalogue.Count = 2;
    const CheckResult result = CheckCatalogue(catalogue, {behaviour, misspelt});
    std::vector<std::pair<Problem, std::string>> found;
    for (const Finding& finding : result.Findings)
        found.emplace_back(finding.Kind, finding.File);
    const std::vector<std::pair<Problem, std::string>> expected = {
        {Problem::UnknownKind, misspelt},
        {Problem::MissingClassReport, behaviour},
        {Problem::MissingTutorReport, behaviour},
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(result.ReportsChecked, 2);
}

TEST(SetChecks, CharactersOutsideTheCodePageAreNamedOnlyInTheTitleThatLosesThem) {
    TempFolder folder;
    const std::string path = folder.File("karta.xml");
    WriteBytes(path, Utf16File("<Szkola><Doc>Z karty</Doc><Belfer>Иван Łoś?</Belfer>"
                               "<Info><IloscWierszy>1</IloscWierszy><w0>Brawo 😀 Ива 😀</w0>"
                               "</Info></Szkola>"));
    // The same letters in a cp1250 file cannot be there; its "?" is no loss.
    const std::string plain = WriteReport(
        folder.File("plain.xml"),
        "<Szkola><Doc>Z karty</Doc><Belfer>Łoś?</Belfer><Info><IloscWierszy>0</IloscWierszy>"
        "</Info></Szkola>");
    const CheckResult result = CheckReportFiles({path, plain});
    std::vector<std::pair<std::string, std::string>> found;
    for (const Finding& finding : result.Findings) {
        EXPECT_EQ(finding.Kind, Problem::CharactersLost);
        EXPECT_EQ(finding.Level, Severity::Warning);
        found.emplace_back(finding.Element, finding.LostCharacters);
    }
    // The line of the report reaches the documents as it is; the teacher is the title.
    const std::vector<std::pair<std::string, std::string>> expected = {{"Szkola/Belfer", "Иван"}};
    EXPECT_EQ(found, expected);
}

} // namespace
} // namespace notarion
