// The report commands: show → write reproduces every sample report, bad JSON
// is refused with its place and nothing written, and new makes a report of
// every kind that reads back as an empty form.

#include "cli/CommandLine.h"
#include "reports/ReportFormFile.h"
#include "system/ReadLimits.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

using testing::CardJson;
using testing::CopySchool;
using testing::RunWords;

TEST(ReportCommands, ShowJsonThenWriteReproducesEverySampleReport) {
    TempFolder folder;
    int reports = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(NOTARION_EXAMPLES) / "szkola")) {
        if (entry.path().extension() != ".xml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const testing::ProgramRun shown =
            RunWords({"report", "show", entry.path().string(), "--json"});
        ASSERT_EQ(shown.Code, 0) << shown.Err;
        testing::WriteBytes(folder.File("r.json"), shown.Out);
        const testing::ProgramRun written =
            RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")});
        ASSERT_EQ(written.Code, 0) << written.Err;
        const FormRead original = LoadReportForm(entry.path().string());
        const FormRead copy = LoadReportForm(folder.File("r.xml"));
        EXPECT_EQ(copy.Form, original.Form);
        // A Windows-1250 sample is already in the program's own form.
        if (!original.WasUnicode) {
            EXPECT_EQ(testing::ReadBytes(folder.File("r.xml")), testing::ReadBytes(entry.path()));
        }
        ++reports;
    }
    EXPECT_GT(reports, 70);
}

// Each JSON text, written by report write, fails with its message (shown
// escaped) and writes nothing.
void ExpectRefusedWithNothingWritten(
    const std::vector<std::pair<std::string, std::string>>& cases) {
    TempFolder folder;
    for (const auto& [json, message] : cases) {
        SCOPED_TRACE(message);
        testing::WriteBytes(folder.File("r.json"), json);
        const testing::ProgramRun run =
            RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")});
        EXPECT_EQ(run.Code, 1);
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err.substr(0, 300);
        EXPECT_EQ(run.Err.find('\x1b'), std::string::npos) << run.Err;
        EXPECT_FALSE(fs::exists(folder.File("r.xml")));
    }
}

TEST(ReportCommands, BadJsonIsRefusedWithItsPlaceAndNothingIsWritten) {
    const std::string card = R"("Doc": "Z karty", "Belfer": "Jan")";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{" + card + ",", "To nie jest poprawny JSON"},
        {"[1]", "oczekiwano obiektu"},
        {R"({"Doc": "Karta"})", "„/Doc”: nieznany rodzaj"},
        {"{" + card + "}", "brak pola „Info”"},
        {"{" + card + R"(, "Info": "a"})", "„/Info”: wartość powinna być tablicą"},
        {"{" + card + R"(, "Info": ["a", 2]})", "„/Info/1”"},
        {"{" + card + R"(, "Info": [], "Inf": []})", "nieznane pole „Inf”"},
        {R"({"Doc": "Klasyfikacja klasy", "Klasa": "", "Belfer": "", "Klasyfikowanych": "",
            "Promowanych": "", "Frekwencja": [], "Ndst": [],
            "Pasek": [{"Uczen": "Ala", "Srednia": "4,7x"}]})",
         "średnia „4,7x” nie jest liczbą"},
        {R"({"Doc": "Klasyfikacja klasy z zachowania", "Klasa": "", "Belfer": "",
            "Klasyfikowanych": "", "Wzorowi": [], "Uwagi": [],
            "Obnizone": [{"Osoba": "Ala", "Wiersze": []}]})",
         "„/Obnizone/0”: brak pola „Ocena”"},
        // Every failure of the parser is ours, with its place.
        {R"({"Doc": "Z karty", "Belfer": 1e400, "Info": []})",
         "JSON, „/Belfer”: liczba spoza zakresu"},
        {"{" + card + R"(, "Info": [], "Belfer": "Ewa"})",
         "JSON, „/Belfer”: pole „Belfer” występuje dwa razy"},
        {"{" + card + R"(, "Info": [{"a": [[1]]}]})", "„/Info/0/a/0”: wartość zagnieżdżona"},
        // Keys, kinds and values are shown escaped, never obeyed.
        {"{" + card + R"(, "Info": [], "\u001b[2J": 1})", "nieznane pole „\\x1b[2J”"},
        {R"({"Doc": "\u001b]0;x\u0007"})", "nieznany rodzaj sprawozdania „\\x1b]0;x\\x07”"},
        {R"({"Doc": "Klasyfikacja klasy", "Klasa": "", "Belfer": "", "Klasyfikowanych": "",
            "Promowanych": "", "Frekwencja": [], "Ndst": [],
            "Pasek": [{"Uczen": "Ala", "Srednia": "4\u001b[2J"}]})",
         "średnia „4\\x1b[2J” nie jest liczbą"},
        // Control characters would reach the documents.
        {R"({"Doc": "Z karty", "Belfer": "Jan\u0000", "Info": []})",
         "(Szkola/Belfer) zawiera znak sterujący U+0000"},
        {R"({"Doc": "Z karty", "Belfer": "", "Info": ["a\u0001"]})",
         "(Szkola/Info/w0) zawiera znak sterujący U+0001"},
        {R"({"Doc": "Z karty", "Belfer": "", "Info": ["\u001b[2J"]})",
         "(Szkola/Info/w0) zawiera znak sterujący U+001B"},
    };
    ExpectRefusedWithNothingWritten(cases);
}

TEST(ReportCommands, LettersOutsideWindows1250AreWrittenAsUtf16WithANote) {
    TempFolder folder;
    testing::WriteBytes(folder.File("r.json"),
                        R"({"Doc": "Z karty", "Belfer": "Søren Nuñez", "Info": ["Шевченко"]})");
    const testing::ProgramRun run =
        RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")});
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_NE(run.Err.find("(Szkola/Belfer) zawiera znak „ø”"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("kodowaniu UTF-16"), std::string::npos) << run.Err;
    EXPECT_EQ(testing::ReadBytes(folder.File("r.xml")).substr(0, 2), "\xFF\xFE");
    const FormRead read = LoadReportForm(folder.File("r.xml"));
    ASSERT_TRUE(read.Form);
    EXPECT_EQ(FindPart(*read.Form, "Info")->Lines, std::vector<std::string>{"Шевченко"});
}

// JSON of a list of n entries, each the text entry.
std::string JsonList(std::size_t n, const std::string& entry) {
    std::string list = "[";
    for (std::size_t i = 0; i < n; ++i)
        list += (i == 0 ? "" : ",") + entry;
    return list + "]";
}

// What the reader would take for damage is refused before anything is
// built, naming the limit and the place; a report at the limit is written
// and reads back whole.
TEST(ReportCommands, ReportsBeyondTheReadersLimitsAreRefusedAndNothingIsWritten) {
    const std::string justification =
        R"({"Osoba": "Ala", "Ocena": "dobre", "Wiersze": )" + JsonList(10000, R"("x")") + "}";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {CardJson("Jan", JsonList(10001, R"("x")")), "JSON, „/Info”: lista ma ponad 10000 pozycji"},
        {R"({"Doc": "Klasyfikacja klasy z zachowania", "Klasa": "", "Belfer": "",
             "Klasyfikowanych": "", "Wzorowi": [], "Uwagi": [], "Obnizone": )" +
             JsonList(11, justification) + "}",
         "JSON, „/Obnizone/9/Wiersze/9990”: listy sprawozdania miałyby razem ponad 100000 "
         "wierszy"},
        {R"({"Doc": "Klasyfikacja klasy z zachowania", "Wzorowi": )" +
             JsonList(1000000, R"("Ala")") + "}",
         "JSON, „/Wzorowi”: lista ma ponad 10000 pozycji"},
        // Each ampersand is written as five characters.
        {CardJson(std::string(MaxReadableFileSize / 5 + 1, '&'), "[]"),
         "Plik sprawozdania miałby ponad 64 MB, a program odczytuje pliki najwyżej 64 MB"},
    };
    ExpectRefusedWithNothingWritten(cases);
    // A JSON file larger than any report could be is not even read.
    TempFolder folder;
    testing::WriteBytes(folder.File("r.json"), CardJson("Jan", "[]"));
    fs::resize_file(folder.File("r.json"), MaxReadableFileSize + 1);
    const testing::ProgramRun huge =
        RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")});
    EXPECT_EQ(huge.Code, 1);
    EXPECT_EQ(huge.Err, "Plik " + folder.File("r.json") +
                            " ma ponad 64 MB, a tyle program odczytuje najwyżej.\n");

    testing::WriteBytes(folder.File("r.json"), CardJson("Jan", JsonList(10000, R"("x")")));
    ASSERT_EQ(RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")}).Code, 0);
    const FormRead read = LoadReportForm(folder.File("r.xml"));
    EXPECT_TRUE(read.Findings.empty());
    EXPECT_EQ(read.Form->Values[1].Lines.size(), 10000u);
}

// A text editor asks before it overwrites a file protected against writing;
// the atomic write would not. The bits decide, so that root is refused too.
TEST(ReportCommands, AProtectedReportIsNotReplaced) {
    TempFolder folder;
    ASSERT_EQ(RunWords({"report", "new", "karta", folder.File("r.xml")}).Code, 0);
    const std::string before = testing::ReadBytes(folder.File("r.xml"));
    fs::permissions(folder.File("r.xml"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    testing::WriteBytes(folder.File("r.json"), CardJson("Jan", "[]"));
    const testing::ProgramRun run =
        RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")});
    EXPECT_EQ(run.Code, 1);
    EXPECT_EQ(run.Err, "Plik " + folder.File("r.xml") +
                           " jest chroniony przed zapisem (tylko do odczytu); program go nie "
                           "zastąpi. Zdejmij ochronę pliku albo wskaż inny plik.\n");
    EXPECT_EQ(testing::ReadBytes(folder.File("r.xml")), before);
    fs::permissions(folder.File("r.xml"), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")}).Code, 0);
}

TEST(ReportCommands, NewMakesAnEmptyReportOfEveryKindAndKeepsExistingFiles) {
    TempFolder folder;
    for (const KindInfo& info : KindTable()) {
        const std::string path = folder.File(std::string(ShortName(info.Kind)) + ".xml");
        ASSERT_EQ(RunWords({"report", "new", std::string(ShortName(info.Kind)), path}).Code, 0);
        const FormRead read = LoadReportForm(path);
        EXPECT_TRUE(read.Findings.empty());
        EXPECT_EQ(read.Form, EmptyForm(info.Kind));
    }
    const testing::ProgramRun again =
        RunWords({"report", "new", "Z karty", folder.File("karta.xml")});
    EXPECT_EQ(again.Code, 1);
    EXPECT_EQ(RunWords({"report", "new", "kartka", folder.File("x.xml")}).Code, 2);
}

// Each shape's row shows its values after the name in one line, the lines of
// a justification below it.
TEST(ReportCommands, ShowWritesEachRowsValuesInItsLine) {
    const std::string school = std::string(NOTARION_EXAMPLES) + "/szkola/";
    const testing::ProgramRun marks = RunWords({"report", "show", school + "1a_klasyfikacja.xml"});
    EXPECT_NE(marks.Out.find("\n  1. Natalia Baranowska – średnia 5,85\n"), std::string::npos);
    EXPECT_NE(marks.Out.find("\n  2. Jacek Woźniak – fizyka\n"), std::string::npos);
    EXPECT_NE(marks.Out.find("\n  3. Grażyna Wójcik\n"), std::string::npos);
    const testing::ProgramRun lowered = RunWords({"report", "show", school + "1a_zachowanie.xml"});
    EXPECT_NE(lowered.Out.find("\n  2. Konrad Majewski – ocena: nieodpowiednie\nUwagi"),
              std::string::npos)
        << lowered.Out;
    const testing::ProgramRun failed = RunWords({"report", "show", school + "1a_ndst_fizyka.xml"});
    EXPECT_NE(failed.Out.find("\n  1. Bogusław Mazurek, Jacek Woźniak\n       Nie zgłaszali"),
              std::string::npos)
        << failed.Out;
}

TEST(ReportCommands, ShowNamesTheProblemsInTheCheckersWords) {
    const std::string damaged =
        std::string(NOTARION_EXAMPLES) + "/uszkodzone/1a_klasyfikacja_liczba_slowami.xml";
    const testing::ProgramRun text = RunWords({"report", "show", damaged});
    EXPECT_EQ(text.Code, 0);
    EXPECT_NE(text.Out.find("błąd: Szkola/Frekwencja/IleOsob zawiera"), std::string::npos)
        << text.Out;
    const testing::ProgramRun json = RunWords({"report", "show", damaged, "--json"});
    EXPECT_NE(json.Out.find(R"("problem": "count-not-whole-number")"), std::string::npos);

    TempFolder folder;
    testing::WriteBytes(folder.File("r.xml"), "<Szkola><Doc>Karta</Doc></Szkola>");
    const testing::ProgramRun unknown =
        RunWords({"report", "show", folder.File("r.xml"), "--json"});
    EXPECT_EQ(unknown.Code, 1);
    EXPECT_NE(unknown.Out.find("unknown-kind"), std::string::npos);
}

} // namespace
} // namespace notarion
