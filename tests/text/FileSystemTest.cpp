#include "text/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace notarion;
namespace fs = std::filesystem;

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    std::string Path(const std::string& utf8Name) const { return m_temp.Cp1250File(utf8Name); }
    // The texts of the folder's listing, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> texts;
        for (const ListedName& name : ListFileNames(Utf8ToCp1250(m_folder.string())))
            texts.push_back(name.Text);
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    notarion::testing::TempFolder m_temp;
    const fs::path& m_folder = m_temp.Path();
};

enum class Outcome { Refused, Read, Hung, Crashed };

// Read in a child process that an alarm ends, so that a read which blocks or
// runs away fails the test instead of hanging it.
Outcome ReadInChild(const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        try {
            ReadWholeFile(path);
            ::_exit(1);
        } catch (const Failure&) {
            ::_exit(0);
        } catch (...) {
            ::_exit(2);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return WTERMSIG(status) == SIGALRM ? Outcome::Hung : Outcome::Crashed;
    const int code = WEXITSTATUS(status);
    return code == 0 ? Outcome::Refused : code == 1 ? Outcome::Read : Outcome::Crashed;
}

mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode;
}

} // namespace

TEST_F(FileSystemTest, PolishFileNamesAreConvertedAtTheBoundary) {
    const std::string path = Path("Sprawozdanie_źdźbło.xml");
    WriteWholeFile(path, "abc");
    EXPECT_TRUE(fs::exists(m_folder / "Sprawozdanie_źdźbło.xml"));
    EXPECT_EQ(ReadWholeFile(path), "abc");
    EXPECT_EQ(Names(), std::vector<std::string>{Utf8ToCp1250("Sprawozdanie_źdźbło.xml")});
}

// Every size reads back whole, also one whose system file reports no size
// at all (the kernel's own files) and so must be read to its end.
TEST_F(FileSystemTest, FilesOfAnySizeReadBackWhole) {
    // One buffer read into again and again, as the catalogue does, from the
    // largest file down: each read leaves exactly its own file's bytes.
    std::string reused;
    for (const std::size_t size : {300001, 65537, 65536, 4096, 4095, 1, 0}) {
        SCOPED_TRACE(size);
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>('a' + i % 23);
        const std::string path = Path("r" + std::to_string(size) + ".xml");
        WriteWholeFile(path, bytes);
        EXPECT_EQ(ReadWholeFile(path), bytes);
        EXPECT_EQ(ReadFileIfPresent(path), bytes);
        ASSERT_TRUE(ReadFileIfPresent(path, reused, nullptr));
        EXPECT_EQ(reused, bytes);
    }
    ASSERT_EQ(fs::file_size("/proc/self/status"), 0u);
    EXPECT_NE(ReadWholeFile("/proc/self/status").find("Name:"), std::string::npos);
}

TEST_F(FileSystemTest, ReadingADirectoryOrAMissingFileThrows) {
    EXPECT_THROW(ReadWholeFile(Path("")), Failure);
    EXPECT_THROW(ReadWholeFile(Path("missing.xml")), Failure);
}

// What leads to nothing is no file; what exists and cannot be read still fails.
TEST_F(FileSystemTest, ReadingIfPresentTellsAMissingFileFromAnUnreadableOne) {
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
        {"a.xml", true, false},          {"link.xml", true, false},
        {"missing.xml", false, false},   {"dangling.xml", false, false},
        {"no-folder/a.xml", false, false}, {"plik/a.xml", false, false},
        {"folder.xml", false, true},     {"potok.xml", false, true},
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

TEST_F(FileSystemTest, FailedWriteLeavesTheExistingFileIntact) {
    const std::string path = Path("lista.xmp");
    WriteWholeFile(path, "old");
    EXPECT_THROW(WriteWholeFile(Path("no-such-folder/lista.xmp"), "new"), Failure);
    // A directory standing where the file should go cannot be replaced.
    fs::create_directory(m_folder / "taken");
    EXPECT_THROW(WriteWholeFile(Path("taken"), "new"), Failure);
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(Names().size(), 1u) << "no temporary file is left behind";
}

TEST_F(FileSystemTest, ListingSkipsDirectoriesAndKeepsLinksToFiles) {
    std::ofstream(m_folder / "a.xml") << "x";
    fs::create_directory(m_folder / "folder.xml");
    fs::create_symlink(m_folder / "a.xml", m_folder / "link.xml");
    fs::create_symlink(m_folder / "gone.xml", m_folder / "dangling.xml");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.xml", "link.xml"}));
}

TEST_F(FileSystemTest, NamedPipesAreNotListedSinceOpeningOneWouldBlock) {
    const std::string pipe = (m_folder / "potok.xml").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(Names().empty());
}

TEST_F(FileSystemTest, NamesTheCodePageCannotSpellAreMarkedUnusable) {
    std::ofstream(m_folder / "??.xml") << "x";
    std::ofstream(m_folder / "Ив.xml") << "y";
    std::ofstream(m_folder / "źdźbło.xml") << "z";
    int usable = 0;
    for (const ListedName& name : ListFileNames(Utf8ToCp1250(m_folder.string())))
        usable += name.Usable ? 1 : 0;
    EXPECT_EQ(usable, 2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"??.xml", "??.xml", Utf8ToCp1250("źdźbło.xml")}));
}

TEST_F(FileSystemTest, PipesDevicesAndHugeFilesAreRefusedAtOnceInsteadOfHangingOrFillingMemory) {
    ASSERT_EQ(::mkfifo((m_folder / "potok.xml").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", m_folder / "zero.xml");
    fs::create_symlink("/dev/urandom", m_folder / "losowe.xml");
    {
        const int fd = ::open((m_folder / "wielki.xml").c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(MaxReadableFileSize + 1)), 0);
        ::close(fd);
    }
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

TEST_F(FileSystemTest, TemporaryNamesPlantedByAnotherUserAreNeverOpened) {
    const fs::path victim = m_folder / "cudzy.txt";
    std::ofstream(victim) << "dane ofiary";
    // Links waiting under every name a guessable scheme could pick next.
    for (int counter = 0; counter < 200; ++counter)
        fs::create_symlink(victim, m_folder / ("lista.xmp.tmp-" + std::to_string(::getpid()) + "-" +
                                               std::to_string(counter)));
    WriteWholeFile(Path("lista.xmp"), "nowa");
    WriteWholeFile(Path("lista.xmp"), "nowsza");
    EXPECT_EQ(ReadWholeFile(victim.string()), "dane ofiary");
    EXPECT_TRUE(S_ISREG(ModeOf(m_folder / "lista.xmp")));
    EXPECT_EQ(ReadWholeFile(Path("lista.xmp")), "nowsza");
    EXPECT_EQ(Names().size(), 202u) << "the planted links stay and nothing else is left";
}

TEST_F(FileSystemTest, AWriteKilledHalfwayLeavesNoTemporaryFile) {
    const std::string big(32 * 1024 * 1024, 'x');
    for (const int delayMs : {20, 60, 120}) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;)
                WriteWholeFile(Path("Protokol.htm"), big);
        }
        ::usleep(delayMs * 1000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const auto names = Names();
        EXPECT_LE(names.size(), 1u) << "killed after " << delayMs << " ms";
        if (!names.empty()) {
            EXPECT_EQ(ReadWholeFile(Path("Protokol.htm")).size(), big.size());
        }
    }
}

TEST_F(FileSystemTest, AWriterInPiecesShowsTheFileOnlyWhenCommitted) {
    WriteWholeFile(Path("Protokol.htm"), "stary");
    const std::string block(100000, 'b');
    {
        AtomicFileWriter writer(Path("Protokol.htm"));
        writer.Append("poczatek ");
        writer.Append(block);
        EXPECT_EQ(ReadWholeFile(Path("Protokol.htm")), "stary");
        EXPECT_EQ(Names(), std::vector<std::string>{"Protokol.htm"});
        writer.Commit();
        EXPECT_THROW(writer.Append("po zapisie"), Failure);
        EXPECT_THROW(writer.Commit(), Failure);
    }
    EXPECT_EQ(ReadWholeFile(Path("Protokol.htm")), "poczatek " + block);
    // Abandoned halfway, for a file that exists and one that does not.
    for (const char* name : {"Protokol.htm", "Nowy.htm"}) {
        {
            AtomicFileWriter writer(Path(name));
            writer.Append(block);
        }
        EXPECT_EQ(Names(), std::vector<std::string>{"Protokol.htm"}) << name;
    }
    EXPECT_EQ(ReadWholeFile(Path("Protokol.htm")), "poczatek " + block);
    // What cannot be a document is refused before a byte is written.
    fs::create_directory(m_folder / "folder.htm");
    ASSERT_EQ(::mkfifo((m_folder / "potok.htm").c_str(), 0600), 0);
    for (const char* name : {"folder.htm", "potok.htm", "brak/plik.htm"})
        EXPECT_THROW(AtomicFileWriter{Path(name)}, Failure) << name;
}

TEST_F(FileSystemTest, SavingKeepsPermissionsWritesThroughLinksAndRefusesPipes) {
    for (const mode_t mode : {0600, 0640, 0755}) {
        WriteWholeFile(Path("lista.xmp"), "stara");
        ::chmod((m_folder / "lista.xmp").c_str(), mode);
        WriteWholeFile(Path("lista.xmp"), "nowa");
        EXPECT_EQ(ModeOf(m_folder / "lista.xmp") & 07777, mode) << std::oct << mode;
    }
    // A chain of links, a relative one among them, ends at the real file.
    fs::create_directory(m_folder / "prawdziwe");
    WriteWholeFile(Path("prawdziwe/klasa.xmp"), "stara");
    fs::create_symlink(m_folder / "prawdziwe" / "klasa.xmp", m_folder / "skrot.xmp");
    fs::create_symlink("skrot.xmp", m_folder / "skrot2.xmp");
    fs::create_symlink("prawdziwe/nowa.xmp", m_folder / "wiszacy.xmp");
    WriteWholeFile(Path("skrot2.xmp"), "nowa");
    WriteWholeFile(Path("wiszacy.xmp"), "utworzona");
    for (const char* link : {"skrot.xmp", "skrot2.xmp", "wiszacy.xmp"})
        EXPECT_TRUE(S_ISLNK(ModeOf(m_folder / link))) << link;
    EXPECT_EQ(ReadWholeFile(Path("prawdziwe/klasa.xmp")), "nowa");
    EXPECT_EQ(ReadWholeFile(Path("prawdziwe/nowa.xmp")), "utworzona");
    // A pipe or a device is not a document to replace.
    ASSERT_EQ(::mkfifo((m_folder / "potok.htm").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", m_folder / "nic.htm");
    EXPECT_THROW(WriteWholeFile(Path("potok.htm"), "x"), Failure);
    EXPECT_THROW(WriteWholeFile(Path("nic.htm"), "x"), Failure);
    EXPECT_TRUE(S_ISFIFO(ModeOf(m_folder / "potok.htm")));
}

TEST_F(FileSystemTest, SavingAnotherUsersFileGivesItBackToItsOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand a file to another user";
    // Temporary folders are private; the other user must reach the file.
    fs::permissions(m_folder, fs::perms::others_exec, fs::perm_options::add);
    WriteWholeFile(Path("lista.xmp"), "stara");
    ASSERT_EQ(::chown((m_folder / "lista.xmp").c_str(), 65534, 65534), 0);
    ::chmod((m_folder / "lista.xmp").c_str(), 0600);
    WriteWholeFile(Path("lista.xmp"), "nowa");
    struct stat info {};
    ::stat((m_folder / "lista.xmp").c_str(), &info);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    // The other user can still open their own file.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(ReadInChild(Path("lista.xmp")) == Outcome::Read ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FileSystemTest, LiesWithinResolvesLinksOnBothSides) {
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
