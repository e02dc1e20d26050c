// A set that the system refuses to write, on POSIX systems: a disk that
// takes no more bytes, a folder that is read-only for the user.

#include "generate/DocumentSet.h"

#include "reports/ReportCatalogue.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace notarion {
namespace {

namespace fs = std::filesystem;

// The cause of a set of no reports written into folder by a child process
// that first runs limit (a smaller file size, another user): the cause text
// in UTF-8, "success", or "no other user" when limit could not act as one.
std::string CauseOfSetInChild(const std::string& folder, const std::function<bool()>& limit) {
    return testing::RunInChild([&](std::string& text) {
               if (!limit()) {
                   text = "no other user";
                   return 0;
               }
               GenerationState state;
               const ReportCatalogue none;
               const Result<> generated = GenerateProtocols(state, none, folder);
               text = generated ? "success" : Utf16ToUtf8(FailureCauseMessage(generated.Cause()));
               return 0;
           })
        .Text;
}

TEST(DocumentSetPosix, ADiskThatTakesNoMoreBytesIsBlamedOnTheSystemsLimit) {
    testing::TempFolder output;
    EXPECT_EQ(CauseOfSetInChild(output.Text(),
                                [] {
                                    testing::LimitFileSize(16);
                                    return true;
                                }),
              "Nie można zapisać dokumentu: " + output.File("Prot_KlasyfikacjaOceny.htm") +
                  "\rPlik przekracza największy rozmiar dozwolony w systemie.");
    EXPECT_TRUE(fs::is_empty(output.Path())) << "no temporary is left behind";
}

TEST(DocumentSetPosix, ReadOnlyOutputFolderIsBlamedOnThePermissions) {
    testing::TempFolder output;
    fs::permissions(output.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    // Root writes anywhere; another user meets the folder's permissions.
    const std::string cause = CauseOfSetInChild(
        output.Text(), [] { return !testing::RunsAsRoot() || testing::BecomeOtherUser(); });
    fs::permissions(output.Path(), fs::perms::owner_all);
    if (cause == "no other user")
        GTEST_SKIP() << cause << " to act as";
    EXPECT_EQ(cause, "Nie można zapisać dokumentu: " + output.File("Prot_KlasyfikacjaOceny.htm") +
                         "\rBrak uprawnień do zapisu.");
}

TEST(DocumentSetPosix, TheReasonsAUserCanActOnAreToldInPolish) {
    const struct {
        int Error;
        std::u16string Reason;
    } rows[] = {
        {ENOSPC, u"Brak miejsca na dysku."},
        {EROFS, u"Nośnik jest tylko do odczytu."},
        {EXDEV, u"Błąd systemu: " + Utf8ToUtf16(std::strerror(EXDEV)) + u" (" +
                    Utf8ToUtf16(std::to_string(EXDEV)) + u")."},
    };
    for (const auto& row : rows) {
        const FailureCause cause{FailureKind::UnwritableDocument, "/p/a.htm", "", "", row.Error};
        EXPECT_EQ(FailureCauseMessage(cause),
                  u"Nie można zapisać dokumentu: /p/a.htm\r" + row.Reason);
    }
}

} // namespace
} // namespace notarion
