// The report commands on a disk that takes no more bytes, on POSIX systems
// (the limit is the system's file-size limit, set in a child process).

#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::CardJson;
using testing::CopySchool;
using testing::RunWords;
using testing::TempFolder;

// A disk that takes no more bytes: the system's reason is named, as the
// generation names it, and nothing is left behind.
TEST(ReportCommandsPosix, WritesCutShortByTheDiskNameTheSystemsReason) {
    TempFolder school;
    CopySchool(school.Text());
    TempFolder folder;
    testing::WriteBytes(folder.File("r.json"), CardJson("Jan Kowalski", R"(["a", "b"])"));
    const auto onFullDisk = [](const std::vector<std::string>& words) {
        return testing::TextFromChild([] { testing::LimitFileSize(64); },
                                      [&] { return RunWords(words).Err; });
    };
    const std::string reason = "Plik przekracza największy rozmiar dozwolony w systemie.";
    // The reason takes the place of the guess of no permission.
    EXPECT_EQ(onFullDisk({"list", "save", school.Text(), folder.File("lista.xmp")}),
              "Wystąpiły problemy z zapisem pliku.\n" + reason +
                  "\nNie można zapisać pliku: " + folder.File("lista.xmp") + "\n");
    EXPECT_EQ(onFullDisk({"report", "write", folder.File("r.json"), folder.File("r.xml")}),
              "Nie można zapisać pliku: " + folder.File("r.xml") + "\n" + reason + "\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
        << "only the JSON file is there";
}

} // namespace
} // namespace notarion
