// The atomic write on POSIX systems: permissions and owners, named pipes and
// devices, names another user planted, a kill in the middle of a save.

#include "FolderFixture.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Failure.h"

#include "support/ChildProcess.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace notarion {
namespace {

namespace fs = std::filesystem;

using AtomicFilePosix = FolderFixture;

struct stat StatusOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

TEST_F(AtomicFilePosix, PipesAndDevicesAreNeverReplacedByADocument) {
    ASSERT_EQ(::mkfifo((m_folder / "potok.htm").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", m_folder / "nic.htm");
    for (const NamedBy namedBy : {NamedBy::User, NamedBy::Program}) {
        EXPECT_THROW(WriteWholeFile(Path("potok.htm"), "x", namedBy), Failure);
        EXPECT_THROW(AtomicFileWriter(Path("potok.htm"), namedBy), Failure);
    }
    // Through the link the user named lies a device.
    EXPECT_THROW(WriteWholeFile(Path("nic.htm"), "x", NamedBy::User), Failure);
    EXPECT_TRUE(S_ISFIFO(StatusOf(m_folder / "potok.htm").st_mode));
    EXPECT_EQ(Names(), std::vector<std::string>{}) << "no temporary is left behind";
}

TEST_F(AtomicFilePosix, SavingKeepsThePermissionsOfTheUsersOwnFile) {
    for (const NamedBy namedBy : {NamedBy::User, NamedBy::Program})
        for (const mode_t mode : {0600, 0640, 0755}) {
            WriteWholeFile(Path("lista.xmp"), "stara", namedBy);
            ::chmod((m_folder / "lista.xmp").c_str(), mode);
            WriteWholeFile(Path("lista.xmp"), "nowa", namedBy);
            EXPECT_EQ(StatusOf(m_folder / "lista.xmp").st_mode & 07777, mode) << std::oct << mode;
        }
}

TEST_F(AtomicFilePosix, TemporaryNamesPlantedByAnotherUserAreNeverOpened) {
    const fs::path victim = m_folder / "cudzy.txt";
    testing::WriteBytes(victim, "dane ofiary");
    // Links waiting under every name a guessable scheme could pick next.
    for (int counter = 0; counter < 200; ++counter)
        fs::create_symlink(victim, m_folder / ("lista.xmp.tmp-" + std::to_string(::getpid()) + "-" +
                                               std::to_string(counter)));
    WriteWholeFile(Path("lista.xmp"), "nowa", NamedBy::User);
    WriteWholeFile(Path("lista.xmp"), "nowsza", NamedBy::User);
    EXPECT_EQ(ReadWholeFile(victim.string()), "dane ofiary");
    EXPECT_TRUE(S_ISREG(StatusOf(m_folder / "lista.xmp").st_mode));
    EXPECT_EQ(ReadWholeFile(Path("lista.xmp")), "nowsza");
    EXPECT_EQ(Names().size(), 202u) << "the planted links stay and nothing else is left";
}

// A kill leaves the document either as it was or whole, never in part; a
// temporary it leaves goes with the next save of the same document.
TEST_F(AtomicFilePosix, AWriteKilledHalfwayLeavesTheDocumentWholeAndTheNextSaveCleansUp) {
    const std::string big(32 * 1024 * 1024, 'x');
    for (const int delayMs : {20, 60, 120}) {
        SCOPED_TRACE(delayMs);
        {
            testing::RunningChild writer(
                [&] { WriteWholeFile(Path("Protokol.htm"), big, NamedBy::Program); });
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            writer.Kill();
        }
        if (fs::exists(m_folder / "Protokol.htm")) {
            const std::string document = ReadWholeFile(Path("Protokol.htm"));
            EXPECT_TRUE(document == "stary" || document == big) << document.size() << " bytes";
        }
        WriteWholeFile(Path("Protokol.htm"), "stary", NamedBy::Program);
        EXPECT_EQ(Names(), std::vector<std::string>{"Protokol.htm"});
    }
}

TEST_F(AtomicFilePosix, SavingAnotherUsersFileTheUserNamedGivesItBackToItsOwner) {
    if (!testing::RunsAsRoot())
        GTEST_SKIP() << "needs root to hand a file to another user";
    // Temporary folders are private; the other user must reach the file.
    fs::permissions(m_folder, fs::perms::others_exec, fs::perm_options::add);
    WriteWholeFile(Path("lista.xmp"), "stara", NamedBy::User);
    ASSERT_EQ(::chown((m_folder / "lista.xmp").c_str(), testing::OtherUser, testing::OtherUser), 0);
    ::chmod((m_folder / "lista.xmp").c_str(), 0600);
    WriteWholeFile(Path("lista.xmp"), "nowa", NamedBy::User);
    const struct stat info = StatusOf(m_folder / "lista.xmp");
    EXPECT_EQ(info.st_uid, testing::OtherUser);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    // The other user can still open their own file.
    const testing::ChildOutcome reader = testing::RunInChild([&](std::string&) {
        if (!testing::BecomeOtherUser())
            return 2;
        return ReadWholeFile(Path("lista.xmp")) == "nowa" ? 0 : 1;
    });
    EXPECT_EQ(reader.End, testing::ChildEnd::Exited);
    EXPECT_EQ(reader.Code, 0);
}

// In a shared output folder another user leaves a file open to everyone at a
// document's name: the new document is the generating user's own, not a
// file of the other user's with new content.
TEST_F(AtomicFilePosix, AnotherUsersFileAtAFixedNameIsReplacedByOurOwn) {
    if (!testing::RunsAsRoot())
        GTEST_SKIP() << "needs root to plant another user's file";
    testing::WriteBytes(m_folder / "Lista_Ndst.htm", "podrzucony");
    ASSERT_EQ(
        ::chown((m_folder / "Lista_Ndst.htm").c_str(), testing::OtherUser, testing::OtherUser), 0);
    ::chmod((m_folder / "Lista_Ndst.htm").c_str(), 0666);
    WriteWholeFile(Path("Lista_Ndst.htm"), "dokument", NamedBy::Program);
    const struct stat info = StatusOf(m_folder / "Lista_Ndst.htm");
    EXPECT_EQ(info.st_uid, testing::CurrentUser());
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask) << "the planted file's permissions stay its own";
    EXPECT_EQ(ReadWholeFile(Path("Lista_Ndst.htm")), "dokument");
}

TEST_F(AtomicFilePosix, APathTheUserNamedIsWrittenThroughItsLinks) {
    // A chain of links, a relative one among them, ends at the real file.
    fs::create_directory(m_folder / "prawdziwe");
    WriteWholeFile(Path("prawdziwe/klasa.xmp"), "stara", NamedBy::User);
    fs::create_symlink(m_folder / "prawdziwe" / "klasa.xmp", m_folder / "skrot.xmp");
    fs::create_symlink("skrot.xmp", m_folder / "skrot2.xmp");
    fs::create_symlink("prawdziwe/nowa.xmp", m_folder / "wiszacy.xmp");
    WriteWholeFile(Path("skrot2.xmp"), "nowa", NamedBy::User);
    WriteWholeFile(Path("wiszacy.xmp"), "utworzona", NamedBy::User);
    for (const char* link : {"skrot.xmp", "skrot2.xmp", "wiszacy.xmp"})
        EXPECT_TRUE(fs::is_symlink(m_folder / link)) << link;
    EXPECT_EQ(ReadWholeFile(Path("prawdziwe/klasa.xmp")), "nowa");
    EXPECT_EQ(ReadWholeFile(Path("prawdziwe/nowa.xmp")), "utworzona");
}

// In a shared output folder another user plants a link at a document's own
// name; the next generation must not replace the file the link names.
TEST_F(AtomicFilePosix, ALinkPlantedAtAFixedNameIsReplacedNotWrittenThrough) {
    fs::create_directory(m_folder / "ofiara");
    testing::WriteBytes(m_folder / "ofiara" / "cudzy.txt", "dane ofiary");
    fs::create_symlink(m_folder / "ofiara" / "cudzy.txt", m_folder / "Lista_Ndst.htm");
    fs::create_symlink(m_folder / "ofiara" / "nowy.txt", m_folder / "Prot_InneZadania.htm");
    WriteWholeFile(Path("Lista_Ndst.htm"), "dokument", NamedBy::Program);
    {
        AtomicFileWriter writer(Path("Prot_InneZadania.htm"), NamedBy::Program);
        writer.Append("strumien");
        writer.Commit();
    }
    EXPECT_EQ(testing::ReadBytes(m_folder / "ofiara" / "cudzy.txt"), "dane ofiary");
    EXPECT_FALSE(fs::exists(m_folder / "ofiara" / "nowy.txt"));
    for (const char* name : {"Lista_Ndst.htm", "Prot_InneZadania.htm"})
        EXPECT_FALSE(fs::is_symlink(m_folder / name)) << name;
    EXPECT_EQ(ReadWholeFile(Path("Lista_Ndst.htm")), "dokument");
    EXPECT_EQ(ReadWholeFile(Path("Prot_InneZadania.htm")), "strumien");
}

// A link in the form of our temporaries is no temporary of ours: the next
// save leaves it, and what it names is never touched.
TEST_F(AtomicFilePosix, ALinkInTheFormOfATemporaryIsLeftAlone) {
    fs::create_directory(m_folder / "ofiara");
    testing::WriteBytes(m_folder / "ofiara" / "cudzy.txt", "dane ofiary");
    const std::string planted = ".lista.xmp.fedcba9876543210.tmp";
    fs::create_symlink(m_folder / "ofiara" / "cudzy.txt", m_folder / planted);
    for (const NamedBy namedBy : {NamedBy::User, NamedBy::Program}) {
        WriteWholeFile(Path("lista.xmp"), "nowa", namedBy);
        EXPECT_EQ(Names(), (std::vector<std::string>{planted, "lista.xmp"}));
        EXPECT_EQ(testing::ReadBytes(m_folder / "ofiara" / "cudzy.txt"), "dane ofiary");
    }
}

} // namespace
} // namespace notarion
