#include "generate/HtmlPage.h"
#include "generate/ExpectedText.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "xml/XmlDocument.h"

#include "support/ByteDiff.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace notarion;

namespace {

std::string ExpectedFile(const std::string& name) {
    return ReadWholeFile(std::string(NOTARION_PAGE_TEST_DATA) + "/" + name);
}

} // namespace

TEST(HtmlPage, FrameAndEveryBuildingBlockGiveTheReviewedBytes) {
    HtmlBuffer buffer;
    buffer.Bytes = "a previous document\r\n";
    BeginPage(buffer);
    ASSERT_EQ(notarion::testing::PageLines(buffer).size(), 22u)
        << "BeginPage discards what the buffer held";
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
    // Byte for byte, CR LF after every line.
    EXPECT_TRUE(notarion::testing::SameBytes(ExpectedFile("blocks.htm"), BufferBytes(buffer)));
}

TEST(HtmlPage, SavingWritesTheFileFormAndAnEmptyBufferGivesAnEmptyFile) {
    const notarion::testing::TempFolder folder;
    const std::string path = folder.File("strona.htm");
    HtmlBuffer buffer;
    SaveBuffer(buffer, path);
    EXPECT_EQ(ReadWholeFile(path), "");
    EndPage(buffer);
    SaveBuffer(buffer, path);
    EXPECT_EQ(ReadWholeFile(path), "</div>\r\n</body>\r\n</html>\r\n");
}

TEST(HtmlPage, HasCommaIgnoresTheLastCharacter) {
    EXPECT_FALSE(HasComma(""));
    EXPECT_FALSE(HasComma(","));
    EXPECT_FALSE(HasComma("Kowalski,"));
    EXPECT_TRUE(HasComma("a,b"));
    EXPECT_TRUE(HasComma("Jan Nowak, Ewa Lis"));
    EXPECT_TRUE(HasComma(",,"));
}
