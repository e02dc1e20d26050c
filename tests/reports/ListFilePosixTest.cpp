// A list file that the system refuses to write in full, on POSIX systems.

#include "reports/ListFile.h"

#include "support/ByteDiff.h"
#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace notarion {
namespace {

// A write cut short by the file system must not cost the user the list saved
// before, and the failure keeps the system's reason. The file-size limit makes writing fail even
// for root; it is set in a child process so the test program itself is not limited.
TEST(ListFileWritingPosix, FailedWriteLeavesTheExistingListIntactAndKeepsTheReason) {
    testing::TempFolder folder;
    const std::string target = folder.File("lista.xmp");
    ReportCatalogue small;
    small.Slots = {{"Z karty - A", "/szkola/a.xml", "Z karty"}};
    small.Count = 1;
    ASSERT_TRUE(WriteListFile(small, target));
    const std::string before = testing::ReadBytes(target);

    ReportCatalogue large;
    large.Slots.assign(2000, {"Z karty - Nauczyciel", "/szkola/z_karty.xml", "Z karty"});
    large.Count = 2000;
    const testing::ChildOutcome child = testing::RunInChild([&](std::string& reason) {
        testing::LimitFileSize(4096);
        const Result<> written = WriteListFile(large, target);
        reason = std::to_string(written.Cause().SystemError);
        return written ? 1 : 0;
    });
    EXPECT_EQ(child.End, testing::ChildEnd::Exited);
    EXPECT_EQ(child.Code, 0) << "the write reported success";
    EXPECT_EQ(child.Text, std::to_string(EFBIG));
    EXPECT_TRUE(testing::SameBytes(before, testing::ReadBytes(target)));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "the half-written temporary file is removed";
}

} // namespace
} // namespace notarion
