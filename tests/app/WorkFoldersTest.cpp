#include "WorkFoldersFixture.h"
#include "app/StartOfWork.h"
#include "system/FileSystem.h"
#include "system/UserFolders.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace notarion;
namespace fs = std::filesystem;

TEST_F(WorkFolders, FirstStartCreatesTheFoldersAndTheMarker) {
    const SharedState state = Start();
    EXPECT_TRUE(fs::is_directory(m_appData / "OrvApp" / "RevNotarion" / "Temp"));
    EXPECT_EQ(ReadSettings(), "RevNotarion\r\n");
    EXPECT_EQ(state.TempFolder, m_temp.File("OrvApp/RevNotarion/Temp/"));
}

TEST_F(WorkFolders, WrongOrEmptyMarkersAreRewrittenAndAGoodOneIsKept) {
    Start();
    struct Case {
        std::string content;
        std::string afterStart;
    } cases[] = {
        {"revnotarion\r\n", "RevNotarion\r\n"},
        {"RevNotarion  \r\n", "RevNotarion\r\n"},
        {"", "RevNotarion\r\n"},
        {"RevNotarion\r\ndalsza linia\r\n", "RevNotarion\r\ndalsza linia\r\n"},
        {"RevNotarion\ndalsza linia\n", "RevNotarion\ndalsza linia\n"},
    };
    for (const Case& c : cases) {
        WriteSettings(c.content);
        Start();
        EXPECT_EQ(ReadSettings(), c.afterStart) << c.content;
    }
}

TEST_F(WorkFolders, UnreadableSettingsAndADeletedTempFolderDoNotStopTheStart) {
    Start();
    fs::remove(Settings());
    fs::create_directory(Settings()); // cannot be read and cannot be replaced
    fs::remove_all(m_appData / "OrvApp" / "RevNotarion" / "Temp");
    const SharedState state = Start();
    EXPECT_TRUE(fs::is_directory(m_appData / "OrvApp" / "RevNotarion" / "Temp"));
    EXPECT_FALSE(state.TempFolder.empty());
}

TEST_F(WorkFolders, StartOfWorkSetsTheFoldersAndKeepsTheCallersChoices) {
    SharedState state;
    state.DecimalSeparator = ".";
    state.LastReportFolder = "/stary";
    state.AttendanceList.Lines = {"==========="};
    const auto native = [](const char* path) { return notarion::testing::WithNativeSeparators(path); };
    StartOfWork(state, native("/opt/notarion/bin/notarion"), m_appData.string());
    EXPECT_EQ(state.AppFolder, native("/opt/notarion/bin/"));
    EXPECT_EQ(state.OutputFolder, native("/opt/notarion/bin/"));
    EXPECT_EQ(state.LastReportFolder, "");
    EXPECT_TRUE(state.AttendanceList.Lines.empty());
    EXPECT_EQ(state.DecimalSeparator, ".");
}

TEST_F(WorkFolders, WithoutAnyPrivateFolderNothingIsCreatedAndThePreviewFolderCannotBeWritten) {
    SharedState state;
    InitSettings(state, "");
    EXPECT_FALSE(fs::exists("/OrvApp")) << "no work folders in the root folder";
    EXPECT_FALSE(fs::is_directory(state.TempFolder));
    EXPECT_FALSE(state.TempFolder.empty()) << "an empty folder would mean the working folder";
}

TEST_F(WorkFolders, TheDataFolderIsTheSystemsAndOnlyForItsId) {
    EXPECT_EQ(AppDataFolder(AppDataFolderId), UserDataFolder());
    EXPECT_EQ(AppDataFolder(5), "");
}

// A link planted at the settings file's name is not written through at the
// start, before the user did anything: the link gives way to our own file.
TEST_F(WorkFolders, ALinkAtTheSettingsNameIsReplacedNotWrittenThrough) {
    Start();
    const fs::path victim = m_appData / "cudzy.txt";
    notarion::testing::WriteBytes(victim, "dane ofiary");
    fs::remove(Settings());
    if (!notarion::testing::MakeLink(victim, Settings()))
        GTEST_SKIP() << "no link can be made here";
    Start();
    EXPECT_EQ(notarion::testing::ReadBytes(victim), "dane ofiary");
    EXPECT_FALSE(fs::is_symlink(Settings()));
    EXPECT_EQ(ReadSettings(), "RevNotarion\r\n");
}
