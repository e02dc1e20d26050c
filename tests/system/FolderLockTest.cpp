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
    EXPECT_TRUE(fs::is_empty(folder.Path())) << "nothing the user would see";
}

TEST(FolderLock, AMissingFolderCannotBeLocked) {
    testing::TempFolder folder;
    FolderLock lock;
    EXPECT_EQ(lock.TryLock(folder.File("brak")), FolderLockResult::Unavailable);
    EXPECT_FALSE(fs::exists(folder.File("brak")));
}

} // namespace
} // namespace notarion
