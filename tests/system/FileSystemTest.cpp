// The file-system boundary as every platform must keep it.

#include "system/FileSystem.h"
#include "FolderFixture.h"
#include "system/AtomicFile.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace notarion {
namespace {

namespace fs = std::filesystem;

TEST_F(FolderFixture, PolishFileNamesAreConvertedAtTheBoundary) {
    const std::string path = Path("Sprawozdanie_źdźbło.xml");
    WriteWholeFile(path, "abc", NamedBy::User);
    EXPECT_TRUE(fs::exists(m_temp.PathOf("Sprawozdanie_źdźbło.xml")));
    EXPECT_EQ(ReadWholeFile(path), "abc");
    EXPECT_EQ(Names(), std::vector<std::string>{Utf8ToCp1250("Sprawozdanie_źdźbło.xml")});
}

// Every size reads back whole.
TEST_F(FolderFixture, FilesOfAnySizeReadBackWhole) {
    // One buffer read into again and again, as the catalogue does, from the
    // largest file down: each read leaves exactly its own file's bytes.
    std::string reused;
    for (const std::size_t size : {300001, 65537, 65536, 4096, 4095, 1, 0}) {
        SCOPED_TRACE(size);
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>('a' + i % 23);
        const std::string path = Path("r" + std::to_string(size) + ".xml");
        WriteWholeFile(path, bytes, NamedBy::User);
        EXPECT_EQ(ReadWholeFile(path), bytes);
        EXPECT_EQ(ReadFileIfPresent(path), bytes);
        ASSERT_TRUE(ReadFileIfPresent(path, reused, nullptr));
        EXPECT_EQ(reused, bytes);
    }
}

TEST_F(FolderFixture, ReadingADirectoryOrAMissingFileThrows) {
    EXPECT_THROW(ReadWholeFile(Path("")), Failure);
    EXPECT_THROW(ReadWholeFile(Path("missing.xml")), Failure);
}

TEST_F(FolderFixture, ListingSkipsDirectories) {
    std::ofstream(m_folder / "a.xml") << "x";
    fs::create_directory(m_folder / "folder.xml");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.xml"}));
}

TEST_F(FolderFixture, NamesTheCodePageCannotSpellAreMarkedUnusable) {
    std::ofstream(m_temp.PathOf("Ив.xml")) << "y";
    std::ofstream(m_temp.PathOf("źdźbło.xml")) << "z";
    int usable = 0;
    for (const ListedName& name : ListFileNames(m_temp.Text()))
        usable += name.Usable ? 1 : 0;
    EXPECT_EQ(usable, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"??.xml", Utf8ToCp1250("źdźbło.xml")}));
}

TEST_F(FolderFixture, LiesWithinTakesTheFolderAndItsSubfoldersOnly) {
    fs::create_directories(m_folder / "dokumenty" / "obrazy");
    fs::create_directory(m_folder / "dokumenty2");
    for (const char* name :
         {"dokumenty/a.png", "dokumenty/obrazy/b.png", "dokumenty2/c.png", "poza.png"})
        std::ofstream(m_temp.File(name)) << "x";
    const struct {
        const char* path;
        bool inside;
    } cases[] = {
        {"dokumenty/a.png", true},       {"dokumenty/obrazy/b.png", true},
        {"dokumenty/../poza.png", false}, {"dokumenty2/c.png", false},
        {"dokumenty/brak.png", false},   {"dokumenty", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LiesWithin(Path(c.path), Path("dokumenty")), c.inside) << c.path;
}

TEST(PathText, RootedPathsStayAndFoldersEndAtTheLastSeparator) {
    const bool windows = PathSeparator == '\\';
    EXPECT_TRUE(IsRootedPath("/szkola/1a.xml"));
    EXPECT_FALSE(IsRootedPath("szkola/1a.xml"));
    EXPECT_FALSE(IsRootedPath(""));
    EXPECT_EQ(IsRootedPath("C:\\szkola\\1a.xml"), windows);
    EXPECT_EQ(IsRootedPath("\\\\serwer\\udzial\\1a.xml"), windows);
    EXPECT_EQ(FolderOf("a/b\\c.xml"), windows ? "a/b" : "a");
    EXPECT_EQ(FolderOf("c.xml"), "");
}

} // namespace
} // namespace notarion
