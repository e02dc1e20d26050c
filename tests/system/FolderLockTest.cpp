// The folder lock as every platform must keep it.

#include "system/FolderLock.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace notarion {
namespace {

namespace fs = std::filesystem;

TEST(FolderLock, OneHolderAtATimeAndNothingLeftInTheFolder) {
    testing::TempFolder folder;
    FolderLock first;
    FolderLock second;
    ASSERT_EQ(first.TryLock(folder.Text()), FolderLockResult::Locked);
    EXPECT_EQ(second.TryLock(folder.Text()), FolderLockResult::HeldElsewhere);
    // Another folder is no business of the first holder's.
    testing::TempFolder other;
    FolderLock third;
    EXPECT_EQ(third.TryLock(other.Text()), FolderLockResult::Locked);
    first.Release();
    EXPECT_EQ(second.TryLock(folder.Text()), FolderLockResult::Locked);
    EXPECT_EQ(first.TryLock(folder.Text()), FolderLockResult::HeldElsewhere);
    // Windows holds the lock on a hidden file of the holder's own, which goes
    // with the last holder; nothing stays for the user to see.
    second.Release();
    EXPECT_TRUE(fs::is_empty(folder.Path())) << "nothing left in the folder";
}

TEST(FolderLock, AMissingFolderCannotBeLocked) {
    testing::TempFolder folder;
    FolderLock lock;
    EXPECT_EQ(lock.TryLock(folder.File("brak")), FolderLockResult::Unavailable);
    EXPECT_FALSE(fs::exists(folder.File("brak")));
}

} // namespace
} // namespace notarion
