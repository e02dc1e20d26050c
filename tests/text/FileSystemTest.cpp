#include "text/Cp1250.h"
#include "text/Failure.h"
#include "text/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

using namespace notarion;
namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("notarion-fs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }
    std::string Path(const std::string& utf8Name) const {
        return Utf8ToCp1250((m_folder / utf8Name).string());
    }
    fs::path m_folder;
};

} // namespace

TEST_F(FileSystemTest, PolishFileNamesAreConvertedAtTheBoundary) {
    const std::string path = Path("Sprawozdanie_źdźbło.xml");
    WriteWholeFile(path, "abc");
    EXPECT_TRUE(fs::exists(m_folder / "Sprawozdanie_źdźbło.xml"));
    EXPECT_EQ(ReadWholeFile(path), "abc");
    const auto names = ListFileNames(Utf8ToCp1250(m_folder.string()));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], Utf8ToCp1250("Sprawozdanie_źdźbło.xml"));
}

TEST_F(FileSystemTest, ReadingADirectoryOrAMissingFileThrows) {
    EXPECT_THROW(ReadWholeFile(Path("")), Failure);
    EXPECT_THROW(ReadWholeFile(Path("missing.xml")), Failure);
}

TEST_F(FileSystemTest, FailedWriteLeavesTheExistingFileIntact) {
    const std::string path = Path("lista.xmp");
    WriteWholeFile(path, "old");
    EXPECT_THROW(WriteWholeFile(Path("no-such-folder/lista.xmp"), "new"), Failure);
    // A directory standing where the file should go cannot be replaced.
    fs::create_directory(m_folder / "taken");
    EXPECT_THROW(WriteWholeFile(Path("taken"), "new"), Failure);
    EXPECT_EQ(ReadWholeFile(path), "old");
    const auto names = ListFileNames(Utf8ToCp1250(m_folder.string()));
    EXPECT_EQ(names.size(), 1u) << "no temporary file is left behind";
}

TEST_F(FileSystemTest, ListingSkipsDirectoriesAndKeepsLinksToFiles) {
    std::ofstream(m_folder / "a.xml") << "x";
    fs::create_directory(m_folder / "folder.xml");
    fs::create_symlink(m_folder / "a.xml", m_folder / "link.xml");
    fs::create_symlink(m_folder / "gone.xml", m_folder / "dangling.xml");
    auto names = ListFileNames(Utf8ToCp1250(m_folder.string()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.xml", "link.xml"}));
}

TEST_F(FileSystemTest, NamedPipesAreNotListedSinceOpeningOneWouldBlock) {
    const std::string pipe = (m_folder / "potok.xml").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(ListFileNames(Utf8ToCp1250(m_folder.string())).empty());
}
