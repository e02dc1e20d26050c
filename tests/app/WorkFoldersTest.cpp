#include "app/StartOfWork.h"
#include "text/FileSystem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace notarion;
namespace fs = std::filesystem;

namespace {

class WorkFolders : public ::testing::Test {
protected:
    fs::path Settings() const { return m_appData / "OrvApp" / "RevNotarion" / "RevNotarion.ini"; }
    std::string ReadSettings() const { return ReadWholeFile(Settings().string()); }
    void WriteSettings(const std::string& bytes) const {
        std::ofstream(Settings(), std::ios::binary) << bytes;
    }
    SharedState Start() {
        SharedState state;
        InitSettings(state, m_appData.string());
        return state;
    }
    notarion::testing::TempFolder m_temp;
    const fs::path& m_appData = m_temp.Path();
};

// Sets environment variables for one test and restores them afterwards.
class ScopedEnvironment {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        m_saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->second)
                ::setenv(it->first, it->second->c_str(), 1);
            else
                ::unsetenv(it->first);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

struct stat StatOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

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

TEST_F(WorkFolders, WithoutAHomeTheWorkFoldersArePrivateNotInTheSharedTemporaryFolder) {
    ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", nullptr);
    environment.Set("HOME", nullptr);
    environment.Set("XDG_RUNTIME_DIR", nullptr);
    environment.Set("TMPDIR", m_appData.c_str());
    const fs::path own = m_appData / ("notarion-" + std::to_string(::geteuid()));
    ASSERT_EQ(AppDataFolder(26), own.string());
    const struct stat info = StatOf(own);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_uid, ::geteuid());
    EXPECT_EQ(info.st_mode & 077, 0u) << "closed to everyone else";

    // The user's runtime folder comes first when it is private.
    fs::create_directory(m_appData / "run");
    ::chmod((m_appData / "run").c_str(), 0700);
    environment.Set("XDG_RUNTIME_DIR", (m_appData / "run").c_str());
    EXPECT_EQ(AppDataFolder(26), (m_appData / "run").string());
}

TEST_F(WorkFolders, AFallbackFolderAStrangerPreparedIsPassedOver) {
    ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", nullptr);
    environment.Set("HOME", nullptr);
    environment.Set("TMPDIR", m_appData.c_str());
    const fs::path own = m_appData / ("notarion-" + std::to_string(::geteuid()));
    fs::create_directory(m_appData / "cudzy");
    const std::vector<std::pair<std::string, std::function<void()>>> traps = {
        {"a link to another folder",
         [&] { fs::create_directory_symlink(m_appData / "cudzy", own); }},
        {"open to everyone",
         [&] {
             fs::create_directory(own);
             ::chmod(own.c_str(), 0777);
         }},
        {"owned by another user",
         [&] {
             fs::create_directory(own);
             ::chmod(own.c_str(), 0700);
             if (::chown(own.c_str(), ::geteuid() == 0 ? 65534 : 0, 0) != 0)
                 fs::remove(own);
         }},
    };
    for (const auto& [trap, plant] : traps) {
        plant();
        if (!fs::exists(own))
            continue; // another owner needs root
        // A runtime folder open to others is no refuge either.
        fs::create_directories(m_appData / "run");
        ::chmod((m_appData / "run").c_str(), 0755);
        environment.Set("XDG_RUNTIME_DIR", (m_appData / "run").c_str());
        EXPECT_EQ(AppDataFolder(26), "") << trap;
        fs::remove(own);
    }
}

TEST_F(WorkFolders, WithoutAnyPrivateFolderNothingIsCreatedAndThePreviewFolderCannotBeWritten) {
    SharedState state;
    InitSettings(state, "");
    EXPECT_FALSE(fs::exists("/OrvApp")) << "no work folders in the root folder";
    EXPECT_FALSE(fs::is_directory(state.TempFolder));
    EXPECT_FALSE(state.TempFolder.empty()) << "an empty folder would mean the working folder";
}

TEST_F(WorkFolders, ASettingsFileThatIsAPipeDoesNotStopTheStart) {
    fs::create_directories(Settings().parent_path());
    ASSERT_EQ(::mkfifo(Settings().c_str(), 0600), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        Start();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the start hung or failed";
    EXPECT_TRUE(S_ISFIFO(StatOf(Settings()).st_mode)) << "a pipe is not replaced by a file";
}

TEST_F(WorkFolders, AnotherUserCannotEnterTheFallbackFolder) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    ScopedEnvironment environment;
    environment.Set("XDG_DATA_HOME", nullptr);
    environment.Set("HOME", nullptr);
    environment.Set("XDG_RUNTIME_DIR", nullptr);
    environment.Set("TMPDIR", m_appData.c_str());
    ::chmod(m_appData.c_str(), 0777);
    const std::string appData = AppDataFolder(26);
    ASSERT_FALSE(appData.empty());
    SharedState state;
    InitSettings(state, appData);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const std::string planted = state.TempFolder + "Temp.htm";
        const bool entered =
            ::access(state.TempFolder.c_str(), X_OK) == 0 || std::ofstream(planted).good();
        ::_exit(entered ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
