// The window's message of a list file that the system refuses to write, on
// POSIX systems, where a test can make the disk take no more bytes.

#include "app/ReportFolder.h"

#include "reports/ListFile.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace notarion {
namespace {

TEST(ListFileUnwritableMessage, AFullDiskIsNamedAsSuchNotAsMissingPermission) {
    testing::TempFolder folder;
    ReportCatalogue large;
    large.Slots.assign(2000, {"Z karty - Nauczyciel", "/szkola/z_karty.xml", "Z karty"});
    large.Count = 2000;
    const std::string shown =
        testing::TextFromChild([] { testing::LimitFileSize(4096); },
                               [&] {
                                   return Utf16ToUtf8(ListFileUnwritableMessage(
                                       WriteListFile(large, folder.File("lista.xmp")).Cause()));
                               });
    EXPECT_EQ(shown, "Wystąpiły problemy z zapisem pliku.\r"
                     "Plik przekracza największy rozmiar dozwolony w systemie.");
    EXPECT_EQ(ListFileUnwritableMessage({FailureKind::UnwritableDocument, "a.xmp", "", "", ENOSPC}),
              u"Wystąpiły problemy z zapisem pliku.\rBrak miejsca na dysku.");
    // Without the system's reason the window keeps its guess.
    EXPECT_EQ(ListFileUnwritableMessage(FailureCause{}), ListFileUnwritableMessage());
}

} // namespace
} // namespace notarion
