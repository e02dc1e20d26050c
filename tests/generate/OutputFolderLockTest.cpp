#include "generate/OutputFolderLock.h"

#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(OutputFolderLock, SecondSetIntoTheSameFolderWaitsAMomentThenGivesUp) {
    testing::TempFolder folder;
    const OutputFolderLock first(folder.Text());
    ASSERT_FALSE(first.Busy());
    const auto start = Clock::now();
    const OutputFolderLock second(folder.Text(), 200ms);
    EXPECT_TRUE(second.Busy());
    EXPECT_GE(Clock::now() - start, 200ms);
    // Another folder is no one's business of the first set.
    testing::TempFolder other;
    EXPECT_FALSE(OutputFolderLock(other.Text(), 0ms).Busy());
    EXPECT_EQ(FolderBusyMessage(), u"Dokumenty w tym folderze tworzy właśnie inny proces.");
}

TEST(OutputFolderLock, SetWaitingForAnotherProcessGoesOnOnceThatOneEnds) {
    testing::TempFolder folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const OutputFolderLock held(folder.Text());
        const char byte = held.Busy() ? 'b' : 'h';
        static_cast<void>(::write(ready[1], &byte, 1));
        ::usleep(300000);
        ::_exit(0); // the system drops the lock with the process
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'h');
    EXPECT_TRUE(OutputFolderLock(folder.Text(), 50ms).Busy());
    EXPECT_FALSE(OutputFolderLock(folder.Text(), 5s).Busy());
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(OutputFolderLock, ReadOnlyFolderLocksForAnotherUserAndNothingIsLeftInIt) {
    testing::TempFolder folder;
    const OutputFolderLock first(folder.Text());
    fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Root acts as nobody, for whom the folder is read-only.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(OutputFolderLock(folder.Text(), 0ms).Busy() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no other user to act as";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other user's set did not find the folder busy";
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

} // namespace
} // namespace notarion
