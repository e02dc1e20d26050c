#include "generate/OutputFolderLock.h"

#include "TestSupport.h"
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
    testing::TempDir folder;
    const OutputFolderLock first(folder.Text());
    ASSERT_FALSE(first.Busy());
    const auto start = Clock::now();
    const OutputFolderLock second(folder.Text(), 200ms);
    EXPECT_TRUE(second.Busy());
    EXPECT_GE(Clock::now() - start, 200ms);
    // Another folder is no one's business of the first set.
    testing::TempDir other;
    EXPECT_FALSE(OutputFolderLock(other.Text(), 0ms).Busy());
    EXPECT_EQ(FolderBusyMessage(), u"Dokumenty w tym folderze tworzy właśnie inny proces.");
}

TEST(OutputFolderLock, SetWaitingForAnotherProcessGoesOnOnceThatOneEnds) {
    testing::TempDir folder;
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

TEST(OutputFolderLock, LinkOrFolderPlantedAsTheLockFileIsNotFollowed) {
    testing::TempDir outside;
    const fs::path target = outside.Path() / "cudzy.txt";
    for (const bool link : {true, false}) {
        SCOPED_TRACE(link ? "link" : "folder");
        testing::TempDir folder;
        const fs::path planted = folder.Path() / std::string(LockFileName);
        if (link)
            fs::create_symlink(target, planted);
        else
            fs::create_directory(planted);
        const OutputFolderLock first(folder.Text());
        EXPECT_FALSE(first.Busy());
        EXPECT_FALSE(fs::exists(target));
        // The folder itself is locked instead, so sets still exclude each other.
        EXPECT_TRUE(OutputFolderLock(folder.Text(), 0ms).Busy());
    }
}

} // namespace
} // namespace notarion
