// The work folders on POSIX systems: a named pipe at the settings file's name.

#include "WorkFoldersFixture.h"

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace notarion {
namespace {

TEST_F(WorkFolders, ASettingsFileThatIsAPipeDoesNotStopTheStart) {
    std::filesystem::create_directories(Settings().parent_path());
    ASSERT_EQ(::mkfifo(Settings().c_str(), 0600), 0);
    const testing::ChildOutcome start = testing::RunInChild([&](std::string&) {
        Start();
        return 0;
    });
    EXPECT_EQ(start.End, testing::ChildEnd::Exited) << "the start hung or failed";
    EXPECT_EQ(start.Code, 0);
    struct stat info {};
    ::lstat(Settings().c_str(), &info);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "a pipe is not replaced by a file";
}

} // namespace
} // namespace notarion
