#include "app/RememberedPlaces.h"

#include "app/SharedState.h"
#include "app/StartOfWork.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace notarion;
namespace fs = std::filesystem;

namespace {

class RememberedPlacesTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_temp.Path() / "OrvApp" / "RevNotarion"); }
    std::string AppData() const { return m_temp.Text(); }
    std::string File() const { return RememberedPlacesPath(AppData()); }
    notarion::testing::TempFolder m_temp;
};

} // namespace

TEST_F(RememberedPlacesTest, LieBesideTheMarkerFileAndSurviveARestartWithPolishLetters) {
    EXPECT_EQ(File(), m_temp.File("OrvApp/RevNotarion/Notarion.ini"));
    SharedState state;
    StartOfWork(state, m_temp.File("bin/notarion"), AppData());
    EXPECT_EQ(state.Remembered, RememberedPlaces{});
    RememberReportFolder(state, Utf8ToCp1250("/szkoła/sprawozdania"));
    RememberListFile(state, Utf8ToCp1250("/szkoła/listy/zestaw ćwiczebny.xmp"));

    SharedState nextRun;
    StartOfWork(nextRun, m_temp.File("bin/notarion"), AppData());
    EXPECT_EQ(nextRun.Remembered, state.Remembered);
    // The marker file stays exactly the marker.
    EXPECT_EQ(ReadWholeFile(m_temp.File("OrvApp/RevNotarion/RevNotarion.ini")), "RevNotarion\r\n");
}

TEST_F(RememberedPlacesTest, ADamagedOrOddFileIsIgnored) {
    const std::string good = "LastReportFolder=/dobry\nLastListFile=/dobry/a.xmp\n";
    struct Case {
        const char* Why;
        std::string Bytes;
        RememberedPlaces Expected;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"no name", "=/dobry\n/dobry\n", {}},
        {"unknown names", "Folder=/dobry\nlastreportfolder=/dobry\n", {}},
        {"relative paths", "LastReportFolder=dobry\nLastListFile=../a.xmp\n", {}},
        {"control characters",
         "LastReportFolder=/do\x01"
         "bry\n",
         {}},
        {"not UTF-8", "LastReportFolder=/z\xB3y\n", {}},
        {"outside the code page", "LastReportFolder=/\xE4\xB8\xAD\n", {}},
        {"NUL bytes", good + std::string(1, '\0'), {}},
        {"far too long", good + std::string(20000, 'x'), {}},
        {"Windows line ends",
         "LastReportFolder=/dobry\r\nLastListFile=/dobry/a.xmp\r\n",
         {"/dobry", "/dobry/a.xmp"}},
        {"no final line end", "LastListFile=/dobry/a.xmp", {"", "/dobry/a.xmp"}},
        {"the last of two lines wins",
         good + "LastReportFolder=/inny\n",
         {"/inny", "/dobry/a.xmp"}},
    };
    for (const Case& c : cases) {
        WriteWholeFile(File(), c.Bytes, NamedBy::User);
        EXPECT_EQ(ReadRememberedPlaces(File()), c.Expected) << c.Why;
    }
    fs::remove(File());
    EXPECT_EQ(ReadRememberedPlaces(File()), RememberedPlaces{}) << "missing";
    fs::create_directory(File());
    EXPECT_EQ(ReadRememberedPlaces(File()), RememberedPlaces{}) << "a folder in its place";
    EXPECT_FALSE(WriteRememberedPlaces(File(), {"/a", "/b"}));
}

TEST_F(RememberedPlacesTest, AFolderThatIsGoneGivesTheFallback) {
    EXPECT_EQ(ExistingFolderOr(AppData(), "/zapas"), AppData());
    EXPECT_EQ(ExistingFolderOr(m_temp.File("brak"), "/zapas"), "/zapas");
    EXPECT_EQ(ExistingFolderOr("", "/zapas"), "/zapas");
}

// The settings file's name is the program's: a link planted there gives way
// to our own file and what it names is never written.
TEST_F(RememberedPlacesTest, ALinkAtTheirNameIsReplacedNotWrittenThrough) {
    const fs::path victim = m_temp.Path() / "cudzy.txt";
    notarion::testing::WriteBytes(victim, "dane ofiary");
    if (!notarion::testing::MakeLink(victim, File()))
        GTEST_SKIP() << "no link can be made here";
    ASSERT_TRUE(WriteRememberedPlaces(File(), {"/a", "/b"}));
    EXPECT_EQ(notarion::testing::ReadBytes(victim), "dane ofiary");
    EXPECT_FALSE(fs::is_symlink(File()));
    EXPECT_EQ(ReadRememberedPlaces(File()), (RememberedPlaces{"/a", "/b"}));
}
