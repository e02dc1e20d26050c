// Another program run in this one's place, on POSIX systems.

#include "system/OwnProgram.h"

#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace notarion {
namespace {

TEST(OwnProgramPosix, TheProgramRunInPlaceEndsThisProcessWithItsOwnStatus) {
    const testing::ChildOutcome child = testing::RunInChild([](std::string& text) {
        const RunInPlaceFailure failure = RunInPlace("/bin/sh", {"-c", "exit 7"});
        text = failure.Missing ? "missing" : "failed";
        return 1;
    });
    EXPECT_EQ(child.End, testing::ChildEnd::Exited);
    EXPECT_EQ(child.Code, 7);
    EXPECT_EQ(child.Text, "");
}

TEST(OwnProgramPosix, AFileThatCannotBeRunIsNotMissingButFailsWithTheSystemsReason) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.Path() / "zwykly", "nie program");
    const RunInPlaceFailure failure = RunInPlace(folder.Path() / "zwykly", {});
    EXPECT_FALSE(failure.Missing);
    EXPECT_NE(failure.SystemError, 0);
}

} // namespace
} // namespace notarion
