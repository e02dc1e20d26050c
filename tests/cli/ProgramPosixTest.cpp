// The built notarion-cli with names only POSIX systems allow: control
// characters in a file's name.

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace notarion {
namespace {

using testing::CopySchool;
using testing::RunProgram;
using testing::TempFolder;
namespace fs = std::filesystem;

TEST(CliProgram, FileNamesWithTerminalEscapesArePrintedEscaped) {
    TempFolder school;
    CopySchool(school.Text());
    TempFolder lists;
    const std::string name = lists.File("lista\x1b[2J\x1b]0;x\x07.xmp");
    const auto run = RunProgram({"list", "save", school.Text(), name});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, lists.File("lista\\x1b[2J\\x1b]0;x\\x07.xmp") + "\n");
    EXPECT_TRUE(fs::exists(name)) << "the file keeps its real name";
}

} // namespace
} // namespace notarion
