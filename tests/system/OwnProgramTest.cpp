// This program as the system knows it, as every platform must tell it.

#include "system/OwnProgram.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace notarion {
namespace {

namespace fs = std::filesystem;

TEST(OwnProgram, ThePathIsThisTestProgramsOwn) {
    const fs::path self = OwnProgramPath();
    ASSERT_TRUE(self.is_absolute());
    EXPECT_EQ(self.stem(), "system_tests");
    EXPECT_TRUE(fs::is_regular_file(self));
}

TEST(OwnProgram, AProgramThatIsNotThereIsMissingAndThisOneGoesOn) {
    testing::TempFolder folder;
    const RunInPlaceFailure failure = RunInPlace(folder.Path() / "brak", {"pdf"});
    EXPECT_TRUE(failure.Missing);
}

} // namespace
} // namespace notarion
