// The folder lock on POSIX systems: held by another process, dropped when
// that process is killed, taken on a folder that is read-only for its taker.

#include "system/FolderLock.h"

#include "support/ChildProcess.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(FolderLockPosix, ALockGoesWithTheProcessThatHeldItAKillIncluded) {
    testing::TempFolder folder;
    testing::RunningChild holder([&] {
        FolderLock lock;
        if (lock.TryLock(folder.Text()) == FolderLockResult::Locked)
            std::this_thread::sleep_for(1h);
    });
    FolderLock lock;
    // Until the child holds it, the folder may still be free.
    for (int attempt = 0; attempt < 500 && lock.TryLock(folder.Text()) == FolderLockResult::Locked;
         ++attempt) {
        lock.Release();
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(lock.TryLock(folder.Text()), FolderLockResult::HeldElsewhere);
    holder.Kill();
    EXPECT_EQ(lock.TryLock(folder.Text()), FolderLockResult::Locked);
}

TEST(FolderLockPosix, AFolderReadOnlyForAnotherUserLocksForThemToo) {
    testing::TempFolder folder;
    FolderLock first;
    ASSERT_EQ(first.TryLock(folder.Text()), FolderLockResult::Locked);
    fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    const testing::ChildOutcome other = testing::RunInChild([&](std::string&) {
        // Root acts as another user, for whom the folder is read-only.
        if (testing::RunsAsRoot() && !testing::BecomeOtherUser())
            return 2;
        FolderLock lock;
        return lock.TryLock(folder.Text()) == FolderLockResult::HeldElsewhere ? 0 : 1;
    });
    ASSERT_EQ(other.End, testing::ChildEnd::Exited);
    if (other.Code == 2)
        GTEST_SKIP() << "no other user to act as";
    EXPECT_EQ(other.Code, 0) << "the other user did not find the folder held";
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

} // namespace
} // namespace notarion
