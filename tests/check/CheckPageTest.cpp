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
    EXPECT_TRUE(Contains(page, "<tr><td>1a</td><td>jest</td><td>jest</td><td>jest</td></tr>"));
    EXPECT_FALSE(Contains(page, "<a href"));
    EXPECT_TRUE(Contains(page, "</html>\r\n"));
}

TEST(CheckPage, FindingsAreGroupedByFileWhoseEntryIsALink) {
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
    const std::string page = PageOf(result);
    EXPECT_TRUE(Contains(page, "<b>Błędy: 1, ostrzeżenia: 2.</b>"));
    EXPECT_TRUE(Contains(page, "<td>2&lt;b&gt;</td><td><b>brak</b></td><td><b>podwójne (2)</b>"));
    const std::size_t link = page.find("<a href=\"pozycja:4\">/s/a&amp;b.xml</a>");
    const std::size_t other = page.find("<b>/s/c.xml</b>");
    ASSERT_NE(link, std::string::npos) << page;
    ASSERT_NE(other, std::string::npos) << page;
    // Both findings of a.xml stand under its name, before c.xml.
    const std::size_t lostAt = page.find("&#1046;");
    EXPECT_LT(link, lostAt);
    EXPECT_LT(lostAt, other);
    EXPECT_TRUE(Contains(page, "(U+1F600)")) << page;
    EXPECT_TRUE(Contains(page, "&#128512;"));
    EXPECT_TRUE(Contains(page, "<li>błąd (Szkola/Info/IloscWierszy): "));
}

TEST(CheckPage, LinksLeadBackToTheirEntry) {
    for (const int entry : {0, 7, 12345})
        EXPECT_EQ(EntryOfReportLink(ReportLink(entry)), entry);
    for (const char* link :
         {"pozycja:", "pozycja:-1", "pozycja:3x", "file:///a", "", "pozycja:99999999999"})
        EXPECT_EQ(EntryOfReportLink(link), -1) << link;
}

} // namespace
} // namespace notarion
