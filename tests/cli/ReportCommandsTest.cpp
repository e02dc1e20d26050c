// The report commands: show → write reproduces every sample report, bad JSON
// is refused with its place and nothing written, and new makes a report of
// every kind that reads back as an empty form.

#include "cli/CommandLine.h"
#include "reports/ReportFormFile.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

using testing::RunWords;

TEST(ReportCommands, ShowJsonThenWriteReproducesEverySampleReport) {
    TempFolder folder;
    int reports = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(NOTARION_EXAMPLES) / "szkola")) {
        if (entry.path().extension() != ".xml")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const testing::ProgramRun shown = RunWords({"report", "show", entry.path().string(), "--json"});
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
        {"{" + card + R"(, "Info": ["ſ"]})", "Szkola/Info/w0) zawiera znak „ſ”"},
        {R"({"Doc": "Klasyfikacja klasy", "Klasa": "", "Belfer": "", "Klasyfikowanych": "",
            "Promowanych": "", "Frekwencja": [], "Ndst": [],
            "Pasek": [{"Uczen": "Ala", "Srednia": "4,7x"}]})",
         "średnia „4,7x” nie jest liczbą"},
        {R"({"Doc": "Klasyfikacja klasy z zachowania", "Klasa": "", "Belfer": "",
            "Klasyfikowanych": "", "Wzorowi": [], "Uwagi": [],
            "Obnizone": [{"Osoba": "Ala", "Wiersze": []}]})",
         "„/Obnizone/0”: brak pola „Ocena”"},
    };
    TempFolder folder;
    for (const auto& [json, message] : cases) {
        SCOPED_TRACE(json);
        testing::WriteBytes(folder.File("r.json"), json);
        const testing::ProgramRun run =
            RunWords({"report", "write", folder.File("r.json"), folder.File("r.xml")});
        EXPECT_EQ(run.Code, 1);
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
        EXPECT_FALSE(fs::exists(folder.File("r.xml")));
    }
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
    const testing::ProgramRun again = RunWords({"report", "new", "Z karty", folder.File("karta.xml")});
    EXPECT_EQ(again.Code, 1);
    EXPECT_EQ(RunWords({"report", "new", "kartka", folder.File("x.xml")}).Code, 2);
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
    const testing::ProgramRun unknown = RunWords({"report", "show", folder.File("r.xml"), "--json"});
    EXPECT_EQ(unknown.Code, 1);
    EXPECT_NE(unknown.Out.find("unknown-kind"), std::string::npos);
}

} // namespace
} // namespace notarion
