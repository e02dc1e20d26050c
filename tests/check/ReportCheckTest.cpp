#include "check/ReportCheck.h"

#include "app/ReportFolder.h"
#include "check/FindingText.h"

#include "generate/Sections.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportKind.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace notarion {
namespace {

using testing::TempFolder;
using testing::WriteReport;

// A report of one kind whose counts are the placeholders {0}, {1} ... so that
// each can be broken in turn; Counts names them with a valid value each.
struct KindFixture {
    const char* Kind;
    const char* Body;
    std::vector<std::pair<std::string, std::string>> Counts;
};

const std::vector<KindFixture>& KindFixtures() {
    static const std::vector<KindFixture> fixtures = {
        {"Klasyfikacja klasy",
         "<Klasa>1a</Klasa><Frekwencja><IleOsob>{0}</IleOsob><Uczen1>Jan</Uczen1></Frekwencja>"
         "<Pasek><IleOsob>{1}</IleOsob><Uczen1>Ewa<Srednia>{2}</Srednia></Uczen1></Pasek>"
         "<Ndst><IleOsob>{3}</IleOsob><Uczen1>Tom<Przedmioty>fizyka</Przedmioty></Uczen1></Ndst>",
         {{"Szkola/Frekwencja/IleOsob", "1"},
          {"Szkola/Pasek/IleOsob", "1"},
          {"Szkola/Pasek/Uczen1/Srednia", "475"},
          {"Szkola/Ndst/IleOsob", "1"}}},
        {"Klasyfikacja klasy z zachowania",
         "<Klasa>1a</Klasa><Wzorowi><IleOsob>{0}</IleOsob><Uczen1>Ewa</Uczen1></Wzorowi>"
         "<Obnizone><Ilosc>{1}</Ilosc><Uzasadnienie1><Osoba>Tom</Osoba><Ocena>ndp</Ocena>"
         "<IloscWierszy>{2}</IloscWierszy><Wiersz0>a</Wiersz0></Uzasadnienie1></Obnizone>"
         "<Uwagi><IloscWierszy>{3}</IloscWierszy><w0>u</w0></Uwagi>",
         {{"Szkola/Wzorowi/IleOsob", "1"},
          {"Szkola/Obnizone/Ilosc", "1"},
          {"Szkola/Obnizone/Uzasadnienie1/IloscWierszy", "1"},
          {"Szkola/Uwagi/IloscWierszy", "1"}}},
        {"Uzasadnienie oceny niedostatecznej",
         "<Klasa>1a</Klasa><Przedmiot>fizyka</Przedmiot><Uzasadnienia><Ilosc>{0}</"
         "Ilosc><Uzasadnienie1><Osoba>Tom</Osoba>"
         "<IloscWierszy>{1}</IloscWierszy><Wiersz0>a</Wiersz0></Uzasadnienie1></Uzasadnienia>",
         {{"Szkola/Uzasadnienia/Ilosc", "1"},
          {"Szkola/Uzasadnienia/Uzasadnienie1/IloscWierszy", "1"}}},
        {"Realizacja programu z przedmiotu nauczania",
         "<Ogolne><IloscWierszy>{0}</IloscWierszy><w0>a</w0></Ogolne>"
         "<Sukcesy><IloscWierszy>{1}</IloscWierszy><w0>b</w0></Sukcesy>"
         "<Wnioski><IloscWierszy>{2}</IloscWierszy><w0>c</w0></Wnioski>",
         {{"Szkola/Ogolne/IloscWierszy", "1"},
          {"Szkola/Sukcesy/IloscWierszy", "1"},
          {"Szkola/Wnioski/IloscWierszy", "1"}}},
        {"Realizacja programu wychowawczego",
         "<Klasa>1a</Klasa><Ogolne><IloscWierszy>{0}</IloscWierszy></"
         "Ogolne><Sukcesy><IloscWierszy>{1}"
         "</IloscWierszy></Sukcesy><Wnioski><IloscWierszy>{2}</IloscWierszy></Wnioski>",
         {{"Szkola/Ogolne/IloscWierszy", "0"},
          {"Szkola/Sukcesy/IloscWierszy", "0"},
          {"Szkola/Wnioski/IloscWierszy", "0"}}},
        {"Realizacja dodatkowych",
         "<Ogolne><IloscWierszy>{0}</IloscWierszy></Ogolne><Sukcesy><IloscWierszy>{1}"
         "</IloscWierszy></Sukcesy><Wnioski><IloscWierszy>{2}</IloscWierszy></Wnioski>",
         {{"Szkola/Ogolne/IloscWierszy", "0"},
          {"Szkola/Sukcesy/IloscWierszy", "0"},
          {"Szkola/Wnioski/IloscWierszy", "0"}}},
        {"Inne informacje",
         "<Info><IloscWierszy>{0}</IloscWierszy><w0>a</w0></Info>",
         {{"Szkola/Info/IloscWierszy", "1"}}},
        {"Z karty",
         "<Info><IloscWierszy>{0}</IloscWierszy><w0>a</w0></Info>",
         {{"Szkola/Info/IloscWierszy", "1"}}},
        {"Sprawozdanie dyrektora",
         "<Dydaktyczna><IloscWierszy>{0}</IloscWierszy><w0>a</w0></Dydaktyczna>"
         "<Nadzor><IloscWierszy>{1}</IloscWierszy><w0>b</w0></Nadzor>",
         {{"Szkola/Dydaktyczna/IloscWierszy", "1"}, {"Szkola/Nadzor/IloscWierszy", "1"}}},
    };
    return fixtures;
}

// The report text of a fixture with count broken replaced by value.
std::string ReportText(const KindFixture& fixture, std::size_t broken, const std::string& value) {
    std::string body = fixture.Body;
    for (std::size_t i = 0; i < fixture.Counts.size(); ++i) {
        const std::string token = "{" + std::to_string(i) + "}";
        body.replace(body.find(token), token.size(),
                     i == broken ? value : fixture.Counts[i].second);
    }
    return std::string("<Szkola><Doc>") + fixture.Kind + "</Doc><Belfer>B</Belfer>" + body +
           "</Szkola>";
}

// True when the kind's section writer, as the document set calls it, fails
// on the report.
bool WriterFails(const std::string& path, const std::string& kind) {
    ReportCatalogue catalogue;
    catalogue.Slots.push_back({"tytuł", path, Utf8ToCp1250(kind)});
    catalogue.Count = 1;
    GenerationState state;
    HtmlBuffer target;
    try {
        WriteSection(SectionKindOf(Utf8ToCp1250(kind)), SectionMode::ForSet, catalogue, 0, target,
                     state);
    } catch (const Failure&) {
        return true;
    }
    return false;
}

TEST(ReportCheck, ValidReportOfEveryKindHasNoFinding) {
    TempFolder folder;
    std::vector<std::string> paths;
    for (const KindFixture& fixture : KindFixtures())
        paths.push_back(WriteReport(folder.File(std::string(fixture.Kind) + ".xml"),
                                    ReportText(fixture, fixture.Counts.size(), "")));
    const CheckResult result = CheckReportFiles(paths);
    EXPECT_EQ(result.ReportsChecked, 9);
    for (const Finding& finding : result.Findings)
        ADD_FAILURE() << finding.File << ": " << ProblemCode(finding.Kind) << " "
                      << finding.Element;
}

// Every count of every kind, broken in every way, is an error of the check
// exactly when the generators fail on it, and the check names that count.
TEST(ReportCheck, FindsAnErrorExactlyWhenTheSectionWriterFails) {
    // Texts that are no usable count: the check must name the count itself.
    const std::vector<std::string> broken = {"", "x", "4,75", "12abc", "10001", "99999999999"};
    // Texts that are: whatever they lead to, check and writer must agree.
    const std::vector<std::string> usable = {"-3", "0x1", "$1", "+1", " 1", "10000"};
    TempFolder folder;
    for (const KindFixture& fixture : KindFixtures()) {
        for (std::size_t count = 0; count < fixture.Counts.size(); ++count) {
            for (const auto* values : {&broken, &usable}) {
                for (const std::string& value : *values) {
                    SCOPED_TRACE(std::string(fixture.Kind) + " " + fixture.Counts[count].first +
                                 " = \"" + value + "\"");
                    const std::string path =
                        WriteReport(folder.File("raport.xml"), ReportText(fixture, count, value));
                    const CheckResult result = CheckReportFiles({path});
                    EXPECT_EQ(result.ErrorCount() > 0, WriterFails(path, fixture.Kind));
                    // A count's error comes before what the set lacks as a whole.
                    if (values == &broken && result.ErrorCount() > 0) {
                        EXPECT_EQ(result.Findings[0].Element, fixture.Counts[count].first);
                    }
                }
            }
        }
    }
}

struct ProblemCase {
    const char* Name;
    std::string Content;
    Problem Expected;
    Severity Level;
    std::string Element;
    std::string Value;
    std::string Suggestion;
};

TEST(ReportCheck, NamesEachProblemWithItsElementAndValue) {
    const std::string head = "<Szkola><Doc>Z karty</Doc><Info><IloscWierszy>";
    const std::vector<ProblemCase> cases = {
        {"not a number", head + "dwa</IloscWierszy></Info></Szkola>", Problem::CountNotWholeNumber,
         Severity::Error, "Szkola/Info/IloscWierszy", "dwa", ""},
        {"above the loop limit", head + "10001</IloscWierszy></Info></Szkola>",
         Problem::CountOutOfRange, Severity::Error, "Szkola/Info/IloscWierszy", "10001", ""},
        {"beyond 32 bits", head + "4294967296</IloscWierszy></Info></Szkola>",
         Problem::CountOutOfRange, Severity::Error, "Szkola/Info/IloscWierszy", "4294967296", ""},
        {"negative", head + "-1</IloscWierszy></Info></Szkola>", Problem::NegativeCount,
         Severity::Warning, "Szkola/Info/IloscWierszy", "-1", ""},
        {"missing", "<Szkola><Doc>Z karty</Doc></Szkola>", Problem::MissingCount, Severity::Error,
         "Szkola/Info/IloscWierszy", "", ""},
        {"kind in other letter case", "<Szkola><Doc>z KARTY</Doc></Szkola>", Problem::UnknownKind,
         Severity::Warning, "Szkola/Doc", "z KARTY", "Z karty"},
        {"kind misspelt", "<Szkola><Doc>Sprawozdanie dyrektra</Doc></Szkola>", Problem::UnknownKind,
         Severity::Warning, "Szkola/Doc", "Sprawozdanie dyrektra", "Sprawozdanie dyrektora"},
        {"kind as the list editor labels it",
         "<Szkola><Doc>Realizacja zajęć dodatkowych</Doc></Szkola>", Problem::UnknownKind,
         Severity::Warning, "Szkola/Doc", "Realizacja zajęć dodatkowych", "Realizacja dodatkowych"},
        {"kind far from all", "<Szkola><Doc>Lista zakupów</Doc></Szkola>", Problem::UnknownKind,
         Severity::Warning, "Szkola/Doc", "Lista zakupów", ""},
        {"no kind", "<Szkola><Klasa>1a</Klasa></Szkola>", Problem::UnknownKind, Severity::Warning,
         "Szkola/Doc", "", ""},
        {"counts that multiply past the report total",
         [] {
             std::string xml =
                 "<Szkola><Doc>Uzasadnienie oceny niedostatecznej</Doc><Przedmiot>x</Przedmiot>"
                 "<Belfer>y</Belfer><Uzasadnienia><Ilosc>11</Ilosc>";
             for (int i = 1; i <= 11; ++i)
                 xml += "<Uzasadnienie" + std::to_string(i) +
                        "><Osoba>z</Osoba><IloscWierszy>10000</IloscWierszy></Uzasadnienie" +
                        std::to_string(i) + ">";
             return xml + "</Uzasadnienia></Szkola>";
         }(),
         Problem::ReportTooLarge, Severity::Error,
         "Szkola/Uzasadnienia/Uzasadnienie10/IloscWierszy", "10000", ""},
        {"empty file", "", Problem::EmptyFile, Severity::Warning, "", "", ""},
        {"one byte", "<", Problem::EmptyFile, Severity::Warning, "", "", ""},
    };
    for (const ProblemCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        const std::string path = WriteReport(folder.File("r.xml"), c.Content);
        const CheckResult result = CheckReportFiles({path});
        ASSERT_EQ(result.Findings.size(), 1u);
        const Finding& finding = result.Findings[0];
        EXPECT_EQ(finding.Kind, c.Expected);
        EXPECT_EQ(finding.Level, c.Level);
        EXPECT_EQ(finding.File, path);
        EXPECT_EQ(Cp1250ToUtf8(finding.Element), c.Element);
        EXPECT_EQ(Cp1250ToUtf8(finding.Value), c.Value);
        EXPECT_EQ(Cp1250ToUtf8(finding.Suggestion), c.Suggestion);
    }
}

TEST(ReportCheck, DistinguishedStudentWithoutAverageIsNamed) {
    TempFolder folder;
    const std::string path = WriteReport(
        folder.File("klasa.xml"),
        "<Szkola><Doc>Klasyfikacja klasy</Doc><Frekwencja><IleOsob>0</IleOsob></Frekwencja>"
        "<Pasek><IleOsob>3</IleOsob><Uczen1>Ewa<Srednia>475</Srednia></Uczen1>"
        "<Uczen2>Łucja Żak</Uczen2><Uczen3>Olek<Srednia>4,5</Srednia></Uczen3></Pasek>"
        "<Ndst><IleOsob>0</IleOsob></Ndst></Szkola>");
    const CheckResult result = CheckReportFiles({path});
    ASSERT_EQ(result.Findings.size(), 2u);
    EXPECT_EQ(result.Findings[0].Kind, Problem::AverageNotNumeric);
    EXPECT_EQ(result.Findings[0].Element, "Szkola/Pasek/Uczen2/Srednia");
    EXPECT_EQ(Cp1250ToUtf8(result.Findings[0].Student), "Łucja Żak");
    EXPECT_EQ(result.Findings[1].Element, "Szkola/Pasek/Uczen3/Srednia");
    EXPECT_EQ(result.Findings[1].Value, "4,5");
}

TEST(ReportCheck, DamagedXmlTellsWhereReadingStoppedAndWhatWasLost) {
    TempFolder folder;
    // The reader stops at the single-quoted value on the third line; the
    // counts before it are read, so only the damage itself is a finding.
    const std::string text = "<Szkola><Doc>Z karty</Doc>\r\n<Info><IloscWierszy>0</IloscWierszy>"
                             "</Info>\r\n<Belfer a='1'>Jan</Belfer></Szkola>";
    const std::string cp1250 = WriteReport(folder.File("cp1250.xml"), text);
    testing::WriteBytes(folder.File("utf16.xml"), testing::Utf16File(text));
    const CheckResult result = CheckReportFiles({cp1250, folder.File("utf16.xml")});
    ASSERT_EQ(result.Findings.size(), 2u);
    for (const Finding& finding : result.Findings) {
        EXPECT_EQ(finding.Kind, Problem::DamagedXml);
        EXPECT_EQ(finding.Line, 3u);
        EXPECT_GE(finding.Column, 10u);
        EXPECT_LE(finding.Column, 12u);
        EXPECT_EQ(finding.Offset + finding.UnreadCharacters, text.size());
        EXPECT_FALSE(finding.Utf8Signature);
    }
    // Both encodings count characters, not bytes.
    EXPECT_EQ(result.Findings[0].Offset, result.Findings[1].Offset);
}

TEST(ReportCheck, Utf8SignatureIsPointedOut) {
    TempFolder folder;
    const std::string path = folder.File("bom.xml");
    testing::WriteBytes(path, "\xEF\xBB\xBF<Szkola><Doc>Z karty</Doc></Szkola>");
    const CheckResult result = CheckReportFiles({path});
    ASSERT_FALSE(result.Findings.empty());
    EXPECT_EQ(result.Findings[0].Kind, Problem::DamagedXml);
    EXPECT_TRUE(result.Findings[0].Utf8Signature);
}

TEST(ReportCheck, SecondReportOfOneKindForTheSameClassIsADouble) {
    TempFolder folder;
    const auto report = [&](const std::string& name, const std::string& kind,
                            const std::string& className, const std::string& counts) {
        return WriteReport(folder.File(name), "<Szkola><Doc>" + kind + "</Doc><Klasa>" + className +
                                                  "</Klasa>" + counts + "</Szkola>");
    };
    const std::string classCounts = "<Frekwencja><IleOsob>0</IleOsob></Frekwencja><Pasek>"
                                    "<IleOsob>0</IleOsob></Pasek><Ndst><IleOsob>0</IleOsob></Ndst>";
    const std::string behaviourCounts = "<Wzorowi><IleOsob>0</IleOsob></Wzorowi><Obnizone>"
                                        "<Ilosc>0</Ilosc></Obnizone><Uwagi><IloscWierszy>0"
                                        "</IloscWierszy></Uwagi>";
    const std::vector<std::string> paths = {
        report("a.xml", "Klasyfikacja klasy", "2ł", classCounts),
        report("b.xml", "Klasyfikacja klasy z zachowania", "2ł", behaviourCounts),
        report("c.xml", "Klasyfikacja klasy", "2Ł", classCounts),
        report("d.xml", "Klasyfikacja klasy", "3a", classCounts),
        report("e.xml", "Klasyfikacja klasy", "", classCounts),
        report("f.xml", "Klasyfikacja klasy", "", classCounts),
    };
    CheckResult result = CheckReportFiles(paths);
    // The classes lack their other reports: not what this test is about.
    std::erase_if(result.Findings, [](const Finding& finding) {
        return finding.Kind == Problem::MissingBehaviourReport ||
               finding.Kind == Problem::MissingTutorReport;
    });
    ASSERT_EQ(result.Findings.size(), 1u);
    EXPECT_EQ(result.Findings[0].Kind, Problem::DuplicateClass);
    EXPECT_EQ(result.Findings[0].File, paths[2]);
    EXPECT_EQ(result.Findings[0].OtherFile, paths[0]);
}

TEST(ReportCheck, EachFindingCarriesTheClassOfItsReport) {
    TempFolder folder;
    const std::vector<KindFixture>& fixtures = KindFixtures();
    const std::string classReport =
        WriteReport(folder.File("k.xml"), ReportText(fixtures[0], 0, "x"));
    const std::string subject = WriteReport(folder.File("p.xml"), ReportText(fixtures[3], 0, "x"));
    const std::string misspelt = WriteReport(
        folder.File("m.xml"), "<Szkola><Doc>klasyfikacja klasy</Doc><Klasa>2b</Klasa></Szkola>");
    const CheckResult result = CheckReportFiles({classReport, subject, misspelt});
    const std::map<std::string, std::string> classOf = {
        {classReport, "1a"}, {subject, ""}, {misspelt, ""}};
    std::set<Problem> seen;
    for (const Finding& finding : result.Findings) {
        SCOPED_TRACE(std::string(ProblemCode(finding.Kind)));
        EXPECT_EQ(finding.ReportClass, classOf.at(finding.File));
        seen.insert(finding.Kind);
    }
    // A finding of the report itself, one across reports and one of a
    // report of no known kind.
    EXPECT_TRUE(seen.contains(Problem::CountNotWholeNumber));
    EXPECT_TRUE(seen.contains(Problem::MissingTutorReport));
    EXPECT_TRUE(seen.contains(Problem::UnknownKind));
}

TEST(ReportCheck, ListedReportsAreCheckedUnderTheKindTheListGives) {
    TempFolder folder;
    const std::string card = WriteReport(
        folder.File("karta.xml"),
        "<Szkola><Doc>Z karty</Doc><Info><IloscWierszy>0</IloscWierszy></Info></Szkola>");
    ReportCatalogue catalogue;
    catalogue.Slots = {
        {"Z karty - ", card, "Z karty"},
        {"", "", ""},
        {"x", folder.File("usuniety.xml"), "Z karty"},
        {"x", card, "Inne informacje"},
        {"x", card, "Klasyfikacja klasx"},
        {"x", folder.Text(), "Z karty"},
    };
    catalogue.Count = 6;
    const CheckResult result = CheckListedReports(catalogue);
    EXPECT_EQ(result.ReportsChecked, 5);
    std::vector<std::pair<Problem, int>> found;
    for (const Finding& finding : result.Findings)
        found.emplace_back(finding.Kind, finding.ListPosition);
    const std::vector<std::pair<Problem, int>> expected = {
        {Problem::ListedFileMissing, 2},
        // Written as other information, the card report lacks nothing: both
        // kinds read "Info".
        {Problem::KindDiffersFromList, 3},
        {Problem::UnknownKind, 4},
        {Problem::UnreadableFile, 5},
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(result.Findings[2].Element, "Naglowki/Pozycja4/Typ");
    EXPECT_EQ(result.Findings[2].Suggestion, "Klasyfikacja klasy");
    EXPECT_EQ(result.ErrorCount(), 2);
    // The folder in the report's place is named with the system's reason.
    const Finding& unreadable = result.Findings[3];
    EXPECT_NE(unreadable.SystemError, 0);
    const std::string said =
        FindingMessage(unreadable, [](std::string_view s) { return std::string(s); });
    EXPECT_EQ(said.rfind("nie można odczytać pliku. ", 0), 0u) << said;
    EXPECT_GT(said.size(), std::string_view("nie można odczytać pliku. ").size());
}

TEST(ReportCheck, FileWhoseNameCannotBeSpeltIsNamedNotLost) {
    TempFolder folder;
    // A name with letters Windows-1250 lacks.
    WriteReport(folder.PathOf("karta_Ив.xml"),
                "<Szkola><Doc>Z karty</Doc><Info><IloscWierszy>0</IloscWierszy></Info></Szkola>");
    std::vector<std::string> unusable;
    const std::vector<std::string> found = FindReportFiles(folder.Text(), unusable);
    EXPECT_TRUE(found.empty());
    ASSERT_EQ(unusable.size(), 1u);
    const CheckResult result = CheckReportFiles(found, unusable);
    ASSERT_EQ(result.Findings.size(), 1u);
    EXPECT_EQ(result.Findings[0].Kind, Problem::UnrepresentableFileName);
    EXPECT_EQ(result.Findings[0].File, folder.File("karta_??.xml"));
    EXPECT_EQ(result.Findings[0].ShownFile, folder.File("karta_Ив.xml"));
}

TEST(ReportCheck, NearestKindOnlyForCloseTexts) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"KLASYFIKACJA KLASY", "Klasyfikacja klasy"},
        {"Klasyfikacja klasy z zachowaniem", "Klasyfikacja klasy z zachowania"},
        {"Uzasadnienie oceny niedost.", ""},
        {"Inne  informacje", "Inne informacje"},
        {"Realizacja zajęć wynikających z karty", "Z karty"},
        {"Z", ""},
        {"", ""},
    };
    for (const auto& [kind, nearest] : cases)
        EXPECT_EQ(Cp1250ToUtf8(NearestKind(Utf8ToCp1250(kind))), nearest) << kind;
}

} // namespace
} // namespace notarion
