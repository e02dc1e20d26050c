#include "support/ByteDiff.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion::testing {
namespace {

namespace fs = std::filesystem;

TEST(TempFolder, EachIsNewAndGoesWithItsContent) {
    fs::path kept;
    {
        TempFolder first;
        TempFolder second;
        EXPECT_NE(first.Path(), second.Path());
        EXPECT_EQ((first.Path().parent_path() / "").lexically_normal(),
                  (fs::temp_directory_path() / "").lexically_normal());
        WriteBytes(first.File("a/b/c.txt"), "abc");
        EXPECT_EQ(ReadBytes(first.Path() / "a" / "b" / "c.txt"), "abc");
        const char separator = static_cast<char>(fs::path::preferred_separator);
        EXPECT_EQ(first.File("a/b.txt"), first.Text() + separator + "a" + separator + "b.txt");
        EXPECT_EQ(first.Cp1250File("ż.xml"), first.Text() + separator + "\xBF.xml");
        WriteBytes(Cp1250Path(first.Cp1250File("ż.xml")), "z");
        EXPECT_EQ(ReadBytes(first.PathOf("ż.xml")), "z");
        EXPECT_TRUE(first.PathOf("ż.xml").filename().u8string() == u8"ż.xml");
        kept = first.Path();
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(FileBytes, MissingReadsEmptyAndUnwritableThrows) {
    TempFolder folder;
    EXPECT_EQ(ReadBytes(folder.File("brak")), "");
    WriteBytes(folder.File("plik"), "x");
    EXPECT_THROW(WriteBytes(folder.File("plik/pod"), "y"), std::exception);
    EXPECT_EQ(Lines("a\r\nb\n\nc"), (std::vector<std::string>{"a\r", "b", "", "c"}));
}

TEST(ReportXml, WritesCp1250AndUtf16Forms) {
    TempFolder folder;
    const std::string path = WriteReport(folder.File("r.xml"), ReportXml({{"Doc", "Ł"}}));
    EXPECT_EQ(ReadBytes(path), "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<Szkola>\r\n"
                               "\t<Doc>\xA3</Doc>\r\n</Szkola>\r\n");
    EXPECT_EQ(Utf16File("aŁ"), std::string("\xFF\xFE"
                                           "a\0\x41\x01",
                                           6));
}

TEST(SameBytes, NamesTheFirstDifferingLineWithItsNeighbours) {
    EXPECT_TRUE(SameBytes("a\nb\n", "a\nb\n"));
    const auto result = SameBytes("1\n2\n3\n4\r\n5\n6\n7\n", "1\n2\n3\n4\n5\n6\n");
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("expected 15, got 12"), std::string::npos) << message;
    EXPECT_NE(message.find("first at line 4"), std::string::npos) << message;
    EXPECT_NE(message.find("- 4:  4\\r\\n\n+ 4:  4\\n\n"), std::string::npos) << message;
    EXPECT_NE(message.find("2:  2\\n"), std::string::npos) << message;
    EXPECT_EQ(message.find("1:  1"), std::string::npos) << message;
    EXPECT_EQ(Visible("\t\xB9\x01"), "\\t\\xb9\\x1");
}

} // namespace
} // namespace notarion::testing
