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
    EXPECT_TRUE(fs::exists(m_folder / "Sprawozdanie_źdźbło.xml"));
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

TEST_F(FolderFixture, ListingSkipsDirectoriesAndKeepsLinksToFiles) {
    std::ofstream(m_folder / "a.xml") << "x";
    fs::create_directory(m_folder / "folder.xml");
    fs::create_symlink(m_folder / "a.xml", m_folder / "link.xml");
    fs::create_symlink(m_folder / "gone.xml", m_folder / "dangling.xml");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.xml", "link.xml"}));
}

TEST_F(FolderFixture, NamesTheCodePageCannotSpellAreMarkedUnusable) {
    std::ofstream(m_folder / "??.xml") << "x";
    std::ofstream(m_folder / "Ив.xml") << "y";
    std::ofstream(m_folder / "źdźbło.xml") << "z";
    int usable = 0;
    for (const ListedName& name : ListFileNames(Utf8ToCp1250(m_folder.string())))
        usable += name.Usable ? 1 : 0;
    EXPECT_EQ(usable, 2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"??.xml", "??.xml", Utf8ToCp1250("źdźbło.xml")}));
}

TEST_F(FolderFixture, LiesWithinResolvesLinksOnBothSides) {
    fs::create_directories(m_folder / "dokumenty" / "obrazy");
    fs::create_directory(m_folder / "dokumenty2");
    for (const char* name :
         {"dokumenty/a.png", "dokumenty/obrazy/b.png", "dokumenty2/c.png", "poza.png"})
        std::ofstream(m_folder / name) << "x";
    fs::create_symlink(m_folder / "poza.png", m_folder / "dokumenty" / "link.png");
    fs::create_symlink("/dev/zero", m_folder / "dokumenty" / "zero.png");
    fs::create_symlink(m_folder / "dokumenty", m_folder / "skrot");
    const struct {
        const char* path;
        bool inside;
    } cases[] = {
        {"dokumenty/a.png", true},
        {"dokumenty/obrazy/b.png", true},
        {"dokumenty/../poza.png", false},
        {"dokumenty2/c.png", false},
        {"dokumenty/link.png", false},
        {"dokumenty/zero.png", false},
        {"dokumenty/brak.png", false},
        {"dokumenty", false},
        {"skrot/a.png", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LiesWithin(Path(c.path), Path("dokumenty")), c.inside) << c.path;
}

} // namespace
} // namespace notarion
