#include "generate/HtmlPage.h"
#include "text/Cp1250.h"
#include "text/FileSystem.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace notarion;

namespace {

std::string ExpectedFile(const std::string& name) {
    return ReadWholeFile(std::string(NOTARION_PAGE_TEST_DATA) + "/" + name);
}

// Line-by-line comparison, so a failure names the first differing line.
void ExpectSameLines(const std::string& actual, const std::string& expected) {
    std::size_t a = 0;
    std::size_t e = 0;
    for (int line = 1; a < actual.size() || e < expected.size(); ++line) {
        const std::size_t aEnd = std::min(actual.find('\n', a), actual.size());
        const std::size_t eEnd = std::min(expected.find('\n', e), expected.size());
        ASSERT_EQ(Cp1250ToUtf8(actual.substr(a, aEnd - a)),
                  Cp1250ToUtf8(expected.substr(e, eEnd - e)))
            << "line " << line;
        a = aEnd + 1;
        e = eEnd + 1;
    }
}

} // namespace

TEST(HtmlPage, FrameAndEveryBuildingBlockGiveTheReviewedBytes) {
    HtmlBuffer buffer;
    buffer.Lines = {"a previous document"};
    BeginPage(buffer);
    ASSERT_EQ(buffer.Lines.size(), 22u) << "BeginPage discards what the buffer held";
    AddHeading(buffer, Utf8ToCp1250("KLASYFIKACJA UCZNIÓW"));
    OpenParagraph(buffer);
    AddSpacer(buffer);
    AddLabelLine(buffer, "Uwagi:", "");
    AddBoldLine(buffer, "Klasa 1b");
    AddTextLine(buffer, " ");
    OpenList(buffer);
    AddListItem(buffer, Utf8ToCp1250("Anna <b>Żak</b> & syn"));
    CloseList(buffer);
    CloseParagraph(buffer);
    EndPage(buffer);
    ExpectSameLines(BufferBytes(buffer), ExpectedFile("blocks.htm"));
    EXPECT_EQ(BufferBytes(buffer), ExpectedFile("blocks.htm")) << "CR LF after every line";
}

TEST(HtmlPage, SavingWritesTheFileFormAndAnEmptyBufferGivesAnEmptyFile) {
    const auto folder = std::filesystem::temp_directory_path() / "notarion-page-test";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "strona.htm").string();
    HtmlBuffer buffer;
    SaveBuffer(buffer, path);
    EXPECT_EQ(ReadWholeFile(path), "");
    EndPage(buffer);
    SaveBuffer(buffer, path);
    EXPECT_EQ(ReadWholeFile(path), "</div>\r\n</body>\r\n</html>\r\n");
    std::filesystem::remove_all(folder);
}

TEST(HtmlPage, HasCommaIgnoresTheLastCharacter) {
    EXPECT_FALSE(HasComma(""));
    EXPECT_FALSE(HasComma(","));
    EXPECT_FALSE(HasComma("Kowalski,"));
    EXPECT_TRUE(HasComma("a,b"));
    EXPECT_TRUE(HasComma("Jan Nowak, Ewa Lis"));
    EXPECT_TRUE(HasComma(",,"));
}
