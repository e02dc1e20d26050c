// The summary command: the table, the JSON and the CSV of the sample school
// agree with each other, with the page written beside the documents and with
// counts read by hand from its reports; and what the check's JSON adds to
// its warnings about counts.

#include "ProgramRun.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::RunWords;
using testing::TempFolder;
using Cells = std::vector<std::string>;

const std::string School = (fs::path(NOTARION_EXAMPLES) / "szkola").string();

// The lines of a CSV text split into fields (no field of the sample is quoted).
std::vector<Cells> CsvRows(const std::string& text) {
    std::vector<Cells> rows;
    for (std::string line : testing::Lines(text)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Cells row;
        std::size_t start = 0;
        for (std::size_t semicolon; (semicolon = line.find(';', start)) != std::string::npos;
             start = semicolon + 1)
            row.push_back(line.substr(start, semicolon - start));
        row.push_back(line.substr(start));
        rows.push_back(std::move(row));
    }
    return rows;
}

// A JSON value as the CSV writes it: a decimal comma, a dash for nothing.
std::string AsCsv(const nlohmann::ordered_json& value) {
    if (value.is_null())
        return "–";
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_number_integer())
        return std::to_string(value.get<long long>());
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value.get<double>());
    std::string shown = text;
    shown[shown.find('.')] = ',';
    return shown;
}

TEST(SummaryCommand, CsvJsonAndPageOfTheSampleSchoolAgreeWithItsReports) {
    const auto csv = RunWords({"summary", School, "--csv"});
    ASSERT_EQ(csv.Code, 0) << csv.Err;
    ASSERT_TRUE(csv.Out.starts_with("\xEF\xBB\xBF"
                                    "Klasa;Klasyfikowanych;Promowanych;"));
    EXPECT_NE(csv.Out.find("\r\n"), std::string::npos);
    const std::vector<Cells> rows = CsvRows(csv.Out.substr(3));
    ASSERT_EQ(rows.size(), 19u);
    // Read by hand from 1a_klasyfikacja.xml and 1a_zachowanie.xml.
    EXPECT_EQ(rows[1], (Cells{"1a", "30", "28", "2", "6", "5,17", "3", "2", "30", "2", "3"}));
    EXPECT_EQ(rows[17][0], "Razem");
    EXPECT_EQ(rows[17][1], "431");
    EXPECT_EQ(rows[18], (Cells{"Odsetek klasyfikowanych (%)", "", "98,4", "", "11,8", "", "7,7",
                               "1,6", "", "", ""}));

    const auto json = RunWords({"summary", School, "--json"});
    ASSERT_EQ(json.Code, 0) << json.Err;
    const nlohmann::ordered_json parsed = nlohmann::ordered_json::parse(json.Out);
    ASSERT_EQ(parsed["klasy"].size(), 16u);
    for (std::size_t i = 0; i < 16; ++i) {
        const nlohmann::ordered_json& item = parsed["klasy"][i];
        Cells fromJson = {item["klasa"].get<std::string>()};
        for (auto field = item.begin(); field != item.end(); ++field) {
            if (field.key() != "klasa" && !field.key().starts_with("sprawozdanie_"))
                fromJson.push_back(AsCsv(field.value()));
        }
        EXPECT_EQ(fromJson, rows[i + 1]);
    }
    EXPECT_EQ(parsed["razem"]["niepromowanych"], 7);
    EXPECT_DOUBLE_EQ(parsed["odsetki"]["promowanych"].get<double>(), 98.4);

    // The page beside the documents shows the same cells.
    TempFolder output;
    ASSERT_EQ(
        RunWords({"generate", School, "--out", output.Text(), "--decimal-separator", ","}).Code, 0);
    const std::string page = testing::ReadBytes(output.Path() / "Zestawienie.htm");
    // The class's cells of the class reports' table, then of the behaviour
    // reports' table, each row led by the class.
    const std::regex cell("<td class=\"M\"[^>]*>([^<]*)</td>");
    Cells pageRow;
    for (std::size_t row = page.find("<td class=\"M\">1a</td>"); row != std::string::npos;
         row = page.find("<td class=\"M\">1a</td>", row + 1)) {
        const std::string cells = page.substr(row, page.find("</tr>", row) - row);
        for (auto match = std::sregex_iterator(cells.begin(), cells.end(), cell);
             match != std::sregex_iterator(); ++match) {
            if (!pageRow.empty() && (*match)[1] == "1a")
                continue;
            pageRow.push_back((*match)[1]);
        }
    }
    EXPECT_EQ(pageRow, rows[1]);
}

TEST(SummaryCommand, TableGoesToTheTerminalOrToAFileAndBadUseIsNamed) {
    const auto table = RunWords({"summary", School});
    ASSERT_EQ(table.Code, 0) << table.Err;
    EXPECT_TRUE(table.Out.starts_with("Zestawienie wyników klasyfikacji\n")) << table.Out;
    EXPECT_NE(table.Out.find("\nRazem      "), std::string::npos) << table.Out;
    EXPECT_NE(table.Out.find("Frekw. – Ze stuprocentową frekwencją\n"), std::string::npos);

    TempFolder folder;
    const auto toFile = RunWords({"summary", School, "--csv", "--out", folder.File("z.csv")});
    ASSERT_EQ(toFile.Code, 0) << toFile.Err;
    EXPECT_TRUE(toFile.Out.empty());
    EXPECT_EQ(testing::ReadBytes(folder.File("z.csv")), RunWords({"summary", School, "--csv"}).Out);

    EXPECT_EQ(RunWords({"summary", School, "--csv", "--json"}).Code, 2);
    const auto missing = RunWords({"summary", folder.File("brak")});
    EXPECT_EQ(missing.Code, 1);
    EXPECT_FALSE(missing.Err.empty());
    // A folder without reports is a set that cannot be read.
    EXPECT_EQ(RunWords({"summary", folder.Text()}).Code, 1);
}

// The check's warnings about counts that disagree carry in JSON what was
// compared, so that a script can show both numbers.
TEST(CheckCounts, JsonNamesTheCountsThatDisagree) {
    TempFolder folder;
    testing::WriteReport(folder.File("k.xml"),
                         "<Szkola><Doc>Klasyfikacja klasy</Doc><Klasa>1a</Klasa>"
                         "<Klasyfikowanych>1</Klasyfikowanych><Promowanych>2</Promowanych>"
                         "<Frekwencja><IleOsob>1</IleOsob><Uczen1>Ewa</Uczen1></Frekwencja>"
                         "<Pasek><IleOsob>1</IleOsob><Uczen1>Jan<Srednia>500</Srednia></Uczen1>"
                         "</Pasek><Ndst><IleOsob>1</IleOsob><Uczen1>Jan<Przedmioty>fizyka"
                         "</Przedmioty></Uczen1></Ndst></Szkola>");
    const auto json = RunWords({"check", "--json", folder.Text()});
    EXPECT_EQ(json.Code, 1);
    const nlohmann::json parsed = nlohmann::json::parse(json.Out);
    std::map<std::string, nlohmann::json> byCode;
    for (const nlohmann::json& finding : parsed["findings"])
        byCode[finding["problem"].get<std::string>()] = finding;
    EXPECT_EQ(byCode["classified-below-named-students"]["value"], "1");
    EXPECT_EQ(byCode["classified-below-named-students"]["namedStudents"], 2);
    EXPECT_EQ(byCode["promoted-above-classified"]["classified"], "1");
    EXPECT_EQ(byCode["distinguished-with-failing-grade"]["failingElement"], "Szkola/Ndst/Uczen1");
    EXPECT_EQ(byCode["distinguished-with-failing-grade"]["class"], "1a");
}

} // namespace
} // namespace notarion
