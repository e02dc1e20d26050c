#include "generate/OutputFolderLock.h"

#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace notarion {
namespace {

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

TEST(OutputFolderLock, SetWaitingForAnotherGoesOnOnceThatOneEnds) {
    testing::TempFolder folder;
    std::optional<OutputFolderLock> first(std::in_place, folder.Text());
    ASSERT_FALSE(first->Busy());
    EXPECT_TRUE(OutputFolderLock(folder.Text(), 50ms).Busy());
    std::thread ending([&first] {
        std::this_thread::sleep_for(300ms);
        first.reset();
    });
    EXPECT_FALSE(OutputFolderLock(folder.Text(), 5s).Busy());
    ending.join();
}

TEST(OutputFolderLock, AMissingFolderIsNoOnesToWaitFor) {
    testing::TempFolder folder;
    const auto start = Clock::now();
    EXPECT_FALSE(OutputFolderLock(folder.File("brak"), 5s).Busy());
    EXPECT_LT(Clock::now() - start, 1s);
}

} // namespace
} // namespace notarion
