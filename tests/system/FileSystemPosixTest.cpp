// The file-system boundary on POSIX systems: named pipes, devices, the
// kernel's own files, reads that would hang.

#include "FolderFixture.h"
#include "system/FileSystem.h"
#include "text/Failure.h"

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include <sys/stat.h>

namespace notarion {
namespace {

namespace fs = std::filesystem;

using FileSystemPosix = FolderFixture;

enum class Outcome { Refused, Read, Hung, Crashed };

// Read in a child process that is ended after a while, so that a read which
// blocks or runs away fails the test instead of hanging it.
Outcome ReadInChild(const std::string& path) {
    const testing::ChildOutcome child = testing::RunInChild([&](std::string&) {
        try {
            ReadWholeFile(path);
            return 1;
        } catch (const Failure&) {
            return 0;
        }
    });
    if (child.End == testing::ChildEnd::TimedOut)
        return Outcome::Hung;
    if (child.End == testing::ChildEnd::Crashed)
        return Outcome::Crashed;
    return child.Code == 0 ? Outcome::Refused : child.Code == 1 ? Outcome::Read : Outcome::Crashed;
}

// What leads to nothing is no file; what exists and cannot be read still fails.
TEST_F(FileSystemPosix, ReadingIfPresentTellsAMissingFileFromAnUnreadableOne) {
    std::ofstream(m_folder / "a.xml") << "abc";
    std::ofstream(m_folder / "plik") << "x";
    fs::create_symlink(m_folder / "a.xml", m_folder / "link.xml");
    fs::create_symlink(m_folder / "gone.xml", m_folder / "dangling.xml");
    fs::create_directory(m_folder / "folder.xml");
    ASSERT_EQ(::mkfifo((m_folder / "potok.xml").c_str(), 0600), 0);
    const struct {
        const char* Name;
        bool Present;
        bool Throws;
    } rows[] = {
        {"a.xml", true, false},
        {"link.xml", true, false},
        {"missing.xml", false, false},
        {"dangling.xml", false, false},
        {"no-folder/a.xml", false, false},
        {"plik/a.xml", false, false},
        {"folder.xml", false, true},
        {"potok.xml", false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        std::string buffer;
        FileStatus status;
        if (row.Throws) {
            EXPECT_THROW(ReadFileIfPresent(Path(row.Name)), Failure);
            EXPECT_THROW(ReadFileIfPresent(Path(row.Name), buffer, &status), Failure);
            continue;
        }
        const std::optional<std::string> bytes = ReadFileIfPresent(Path(row.Name));
        EXPECT_EQ(bytes.has_value(), row.Present);
        EXPECT_EQ(bytes.value_or("abc"), "abc");
        EXPECT_EQ(ReadFileIfPresent(Path(row.Name), buffer, &status), row.Present);
        if (row.Present) {
            EXPECT_EQ(buffer, "abc");
            // The status is that of the file read, the link's target.
            EXPECT_EQ(status, StatusOfFile(Path("a.xml")));
        }
    }
}

TEST_F(FileSystemPosix, NamedPipesAreNotListedSinceOpeningOneWouldBlock) {
    ASSERT_EQ(::mkfifo((m_folder / "potok.xml").c_str(), 0600), 0);
    EXPECT_TRUE(Names().empty());
}

TEST_F(FileSystemPosix, PipesDevicesAndHugeFilesAreRefusedAtOnceInsteadOfHangingOrFillingMemory) {
    ASSERT_EQ(::mkfifo((m_folder / "potok.xml").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", m_folder / "zero.xml");
    fs::create_symlink("/dev/urandom", m_folder / "losowe.xml");
    std::ofstream(m_folder / "wielki.xml").put('x');
    fs::resize_file(m_folder / "wielki.xml", MaxReadableFileSize + 1);
    std::ofstream(m_folder / "zwykly.xml") << "<x/>";
    const struct {
        const char* name;
        Outcome expected;
    } cases[] = {
        {"potok.xml", Outcome::Refused},  {"zero.xml", Outcome::Refused},
        {"losowe.xml", Outcome::Refused}, {"wielki.xml", Outcome::Refused},
        {"zwykly.xml", Outcome::Read},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadInChild(Path(c.name)), c.expected) << c.name;
}

// The kernel's own files report no size at all and must be read to their end.
TEST_F(FileSystemPosix, AFileThatReportsNoSizeIsReadToItsEnd) {
    ASSERT_EQ(fs::file_size("/proc/self/status"), 0u);
    EXPECT_NE(ReadWholeFile("/proc/self/status").find("Name:"), std::string::npos);
}

// Links exist on Windows too, but making one there takes a privilege a
// test cannot count on.
TEST_F(FileSystemPosix, ListingKeepsLinksToFilesAndSpellsOnlyWhatItCan) {
    std::ofstream(m_folder / "a.xml") << "x";
    fs::create_symlink(m_folder / "a.xml", m_folder / "link.xml");
    fs::create_symlink(m_folder / "gone.xml", m_folder / "dangling.xml");
    // A name made of question marks is usable; one the code page cannot
    // spell shows the same text but is not.
    std::ofstream(m_folder / "??.xml") << "x";
    std::ofstream(m_folder / "Ив.xml") << "y";
    int usable = 0;
    for (const ListedName& name : ListFileNames(m_temp.Text()))
        usable += name.Usable ? 1 : 0;
    EXPECT_EQ(usable, 3);
    EXPECT_EQ(Names(), (std::vector<std::string>{"??.xml", "??.xml", "a.xml", "link.xml"}));
}

TEST_F(FileSystemPosix, LiesWithinResolvesLinksOnBothSides) {
    fs::create_directories(m_folder / "dokumenty");
    std::ofstream(m_folder / "dokumenty" / "a.png") << "x";
    std::ofstream(m_folder / "poza.png") << "x";
    fs::create_symlink(m_folder / "poza.png", m_folder / "dokumenty" / "link.png");
    fs::create_symlink("/dev/zero", m_folder / "dokumenty" / "zero.png");
    fs::create_symlink(m_folder / "dokumenty", m_folder / "skrot");
    EXPECT_FALSE(LiesWithin(Path("dokumenty/link.png"), Path("dokumenty")));
    EXPECT_FALSE(LiesWithin(Path("dokumenty/zero.png"), Path("dokumenty")));
    EXPECT_TRUE(LiesWithin(Path("skrot/a.png"), Path("dokumenty")));
}

} // namespace
} // namespace notarion
