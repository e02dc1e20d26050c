#include "check/CheckPage.h"

#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <string>

namespace notarion {
namespace {

std::string PageOf(const CheckResult& result) {
    return Cp1250ToUtf8(BufferBytes(CheckPage(result)));
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(CheckPage, ASoundSetIsReadyAndLinksNothing) {
    CheckResult result;
    result.ReportsChecked = 3;
    result.Classes = {{"1a", 1, 1, 1}};
    const std::string page = PageOf(result);
    HtmlBuffer frame;
    BeginPage(frame);
    EXPECT_EQ(page.rfind(Cp1250ToUtf8(BufferBytes(frame)), 0), 0u) << "the documents' frame";
    EXPECT_TRUE(Contains(page, "<b>Zestaw gotowy do wygenerowania.</b>"));
    EXPECT_TRUE(Contains(page, "<a href=\"generuj:\">Generuj zestaw</a>"));
    EXPECT_TRUE(Contains(page, "<tr><td>1a</td><td>jest</td><td>jest</td><td>jest</td></tr>"));
    EXPECT_FALSE(Contains(page, "pozycja:"));
    EXPECT_TRUE(Contains(page, "</html>\r\n"));
}

TEST(CheckPage, ErrorsComeFirstGroupedByFileNamedOnceUnderItsFolder) {
    CheckResult result;
    result.Classes = {{"2<b>", 0, 2, 1}};
    Finding listed;
    listed.Kind = Problem::MissingClassReport;
    listed.Level = Severity::Warning;
    listed.File = "/s/a&b.xml";
    listed.ListPosition = 4;
    listed.Element = "Szkola/Klasa";
    listed.Class = "2<b>";
    Finding lost = listed;
    lost.Kind = Problem::CharactersLost;
    lost.LostCharacters = "Ж😀";
    Finding unlisted;
    unlisted.Kind = Problem::CountNotWholeNumber;
    unlisted.File = "/s/c.xml";
    unlisted.Element = "Szkola/Info/IloscWierszy";
    unlisted.Value = "x";
    result.Findings = {listed, unlisted, lost};
    ReportCatalogue catalogue;
    catalogue.Slots = {{"", "/s/a.xml", "Z karty"}, {"", "/s/b.xml", "Z karty"}};
    const std::string page = Cp1250ToUtf8(BufferBytes(CheckPage(result, &catalogue)));
    EXPECT_TRUE(Contains(page, "<b>Błędy: 1, ostrzeżenia: 2.</b>"));
    EXPECT_FALSE(Contains(page, "generuj:")) << "no set to generate while it has errors";
    EXPECT_TRUE(Contains(page, "<b>Folder:</b> /s</p>"));
    EXPECT_TRUE(Contains(page, "<tr><td>Realizacja zajęć wynikających z karty</td><td>2</td>"));
    EXPECT_TRUE(Contains(page, "<td>2&lt;b&gt;</td><td><b>brak</b></td><td><b>podwójne (2)</b>"));
    // The error of c.xml stands first, then both warnings of a&b.xml under
    // its name, which has its link beside it.
    const std::size_t error = page.find("<p class=\"N\"><b>c.xml</b></p>");
    const std::size_t warnings =
        page.find("<b>a&amp;b.xml</b> &ndash; <a href=\"pozycja:4\">Popraw</a>");
    ASSERT_NE(error, std::string::npos) << page;
    ASSERT_NE(warnings, std::string::npos) << page;
    EXPECT_LT(error, warnings);
    EXPECT_LT(warnings, page.find("&#1046;"));
    EXPECT_TRUE(Contains(page, "(U+1F600)")) << page;
    EXPECT_TRUE(Contains(page, "&#128512;"));
    // The path of an element is said once.
    const std::size_t element = page.find("Szkola/Info/IloscWierszy");
    EXPECT_NE(element, std::string::npos);
    EXPECT_EQ(page.find("Szkola/Info/IloscWierszy", element + 1), std::string::npos) << page;
    EXPECT_FALSE(Contains(page, "/s/c.xml")) << "the folder is named once, at the top";
}

TEST(CheckPage, FilesStandUnderTheirClassInSchoolOrderAndTheOthersAfterByName) {
    const auto warning = [](std::string file, std::string reportClass, int entry = -1) {
        Finding finding;
        finding.Kind = Problem::EmptyFile;
        finding.Level = Severity::Warning;
        finding.File = std::move(file);
        finding.ReportClass = std::move(reportClass);
        finding.ListPosition = entry;
        return finding;
    };
    CheckResult result;
    result.Findings = {warning("/s/x10.xml", ""),  warning("/s/10a.xml", "10a", 0),
                       warning("/s/x2.xml", ""),   warning("/s/2b.xml", "2b", 1),
                       warning("/s/a.xml", "", 2), warning("/s/2b_z.xml", "2B", 3),
                       warning("/s/zly.xml", "")};
    result.Findings[0].Kind = Problem::UnrepresentableFileName;
    const std::string page = Cp1250ToUtf8(
        BufferBytes(CheckPage(result, nullptr, {"/s/y.xml", "/s/x2.xml", "/s/x10.xml"})));
    // Classes in the order a school counts them, one heading for 2b and 2B;
    // a file of the folder that the catalogue left out links to its place
    // among the folder's files, one the editor cannot open links nowhere.
    const std::vector<std::string> order = {"<u>Klasa 2b</u>",
                                            "<b>2b.xml</b> &ndash; <a href=\"pozycja:1\">",
                                            "<b>2b_z.xml</b> &ndash; <a href=\"pozycja:3\">",
                                            "<u>Klasa 10a</u>",
                                            "<b>10a.xml</b> &ndash; <a href=\"pozycja:0\">",
                                            "<u>Pozostałe sprawozdania</u>",
                                            "<b>a.xml</b> &ndash; <a href=\"pozycja:2\">",
                                            "<b>x2.xml</b> &ndash; <a href=\"plik:1\">",
                                            "<b>x10.xml</b></p>",
                                            "<b>zly.xml</b></p>"};
    std::size_t from = 0;
    for (const std::string& part : order) {
        const std::size_t at = page.find(part, from);
        ASSERT_NE(at, std::string::npos) << part << "\n" << page;
        from = at + part.size();
    }
    EXPECT_FALSE(Contains(page, "Klasa 2B")) << page;
}

TEST(CheckPage, LinksLeadBackToTheirEntry) {
    for (const int entry : {0, 7, 12345})
        EXPECT_EQ(EntryOfReportLink(ReportLink(entry)), entry);
    for (const char* link :
         {"pozycja:", "pozycja:-1", "pozycja:3x", "file:///a", "", "pozycja:99999999999", "plik:1"})
        EXPECT_EQ(EntryOfReportLink(link), -1) << link;
    EXPECT_EQ(FolderFileOfLink(FolderFileLink(5)), 5);
    EXPECT_EQ(FolderFileOfLink(ReportLink(5)), -1);
}

} // namespace
} // namespace notarion
