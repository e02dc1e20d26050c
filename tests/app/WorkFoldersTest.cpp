#include "app/StartOfWork.h"
#include "text/FileSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace notarion;
namespace fs = std::filesystem;

namespace {

class WorkFolders : public ::testing::Test {
protected:
    void SetUp() override {
        m_appData = fs::temp_directory_path() /
                    (std::string("notarion-app-") +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_appData);
        fs::create_directories(m_appData);
    }
    void TearDown() override { fs::remove_all(m_appData); }
    fs::path Settings() const { return m_appData / "OrvApp" / "RevNotarion" / "RevNotarion.ini"; }
    std::string ReadSettings() const { return ReadWholeFile(Settings().string()); }
    void WriteSettings(const std::string& bytes) const { std::ofstream(Settings(), std::ios::binary) << bytes; }
    SharedState Start() {
        SharedState state;
        InitSettings(state, m_appData.string());
        return state;
    }
    fs::path m_appData;
};

} // namespace

TEST_F(WorkFolders, FirstStartCreatesTheFoldersAndTheMarker) {
    const SharedState state = Start();
    EXPECT_TRUE(fs::is_directory(m_appData / "OrvApp" / "RevNotarion" / "Temp"));
    EXPECT_EQ(ReadSettings(), "RevNotarion\r\n");
    EXPECT_EQ(state.TempFolder, m_appData.string() + "/OrvApp/RevNotarion/Temp/");
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

TEST_F(WorkFolders, AppDataFollowsXdgThenHome) {
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string restoreXdg = savedXdg ? savedXdg : "";
    ::setenv("XDG_DATA_HOME", (m_appData / "xdg").c_str(), 1);
    EXPECT_EQ(AppDataFolder(26), (m_appData / "xdg").string());
    EXPECT_TRUE(fs::is_directory(m_appData / "xdg")) << "a fresh account's data folder is made";
    ::setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_NE(AppDataFolder(26), "relative/path");
    EXPECT_EQ(AppDataFolder(5), "");
    if (savedXdg)
        ::setenv("XDG_DATA_HOME", restoreXdg.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

TEST_F(WorkFolders, StartOfWorkSetsTheFoldersAndKeepsTheCallersChoices) {
    SharedState state;
    state.DecimalSeparator = ".";
    state.LastReportFolder = "/stary";
    state.AttendanceList.Lines = {"==========="};
    StartOfWork(state, "/opt/notarion/bin/notarion", m_appData.string());
    EXPECT_EQ(state.AppFolder, "/opt/notarion/bin/");
    EXPECT_EQ(state.OutputFolder, "/opt/notarion/bin/");
    EXPECT_EQ(state.LastReportFolder, "");
    EXPECT_TRUE(state.AttendanceList.Lines.empty());
    EXPECT_EQ(state.DecimalSeparator, ".");
}
