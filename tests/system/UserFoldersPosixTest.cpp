// The user's data folder on POSIX systems: the XDG base folders and the
// private fallback that no stranger can prepare or enter.

#include "system/UserFolders.h"

#include "support/ChildProcess.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace notarion {
namespace {

namespace fs = std::filesystem;

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

class UserFoldersPosix : public ::testing::Test {
protected:
    // The fallback folder of this user in the temporary folder.
    fs::path Own() const { return m_base / ("notarion-" + std::to_string(::geteuid())); }
    ScopedEnvironment m_environment;
    testing::TempFolder m_temp;
    const fs::path& m_base = m_temp.Path();
};

TEST_F(UserFoldersPosix, TheDataFolderFollowsXdgThenHome) {
    m_environment.Set("XDG_DATA_HOME", (m_base / "xdg").c_str());
    EXPECT_EQ(UserDataFolder(), (m_base / "xdg").string());
    EXPECT_TRUE(fs::is_directory(m_base / "xdg")) << "a fresh account's data folder is made";
    m_environment.Set("XDG_DATA_HOME", "relative/path");
    m_environment.Set("HOME", (m_base / "dom").c_str());
    EXPECT_EQ(UserDataFolder(), (m_base / "dom" / ".local" / "share").string());
}

TEST_F(UserFoldersPosix, WithoutAHomeTheDataFolderIsPrivateNotInTheSharedTemporaryFolder) {
    m_environment.Set("XDG_DATA_HOME", nullptr);
    m_environment.Set("HOME", nullptr);
    m_environment.Set("XDG_RUNTIME_DIR", nullptr);
    m_environment.Set("TMPDIR", m_base.c_str());
    ASSERT_EQ(UserDataFolder(), Own().string());
    const struct stat info = StatOf(Own());
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_uid, ::geteuid());
    EXPECT_EQ(info.st_mode & 077, 0u) << "closed to everyone else";

    // The user's runtime folder comes first when it is private.
    fs::create_directory(m_base / "run");
    ::chmod((m_base / "run").c_str(), 0700);
    m_environment.Set("XDG_RUNTIME_DIR", (m_base / "run").c_str());
    EXPECT_EQ(UserDataFolder(), (m_base / "run").string());
}

TEST_F(UserFoldersPosix, AFallbackFolderAStrangerPreparedIsPassedOver) {
    m_environment.Set("XDG_DATA_HOME", nullptr);
    m_environment.Set("HOME", nullptr);
    m_environment.Set("TMPDIR", m_base.c_str());
    fs::create_directory(m_base / "cudzy");
    const std::vector<std::pair<std::string, std::function<void()>>> traps = {
        {"a link to another folder",
         [&] { fs::create_directory_symlink(m_base / "cudzy", Own()); }},
        {"open to everyone",
         [&] {
             fs::create_directory(Own());
             ::chmod(Own().c_str(), 0777);
         }},
        {"owned by another user",
         [&] {
             fs::create_directory(Own());
             ::chmod(Own().c_str(), 0700);
             if (::chown(Own().c_str(), ::geteuid() == 0 ? testing::OtherUser : 0, 0) != 0)
                 fs::remove(Own());
         }},
    };
    for (const auto& [trap, plant] : traps) {
        plant();
        if (!fs::exists(Own()))
            continue; // another owner needs root
        // A runtime folder open to others is no refuge either.
        fs::create_directories(m_base / "run");
        ::chmod((m_base / "run").c_str(), 0755);
        m_environment.Set("XDG_RUNTIME_DIR", (m_base / "run").c_str());
        EXPECT_EQ(UserDataFolder(), "") << trap;
        fs::remove(Own());
    }
}

TEST_F(UserFoldersPosix, AnotherUserCannotEnterTheFallbackFolder) {
    if (!testing::RunsAsRoot())
        GTEST_SKIP() << "needs root to act as another user";
    m_environment.Set("XDG_DATA_HOME", nullptr);
    m_environment.Set("HOME", nullptr);
    m_environment.Set("XDG_RUNTIME_DIR", nullptr);
    m_environment.Set("TMPDIR", m_base.c_str());
    ::chmod(m_base.c_str(), 0777);
    const std::string folder = UserDataFolder();
    ASSERT_FALSE(folder.empty());
    const testing::ChildOutcome other = testing::RunInChild([&](std::string&) {
        if (!testing::BecomeOtherUser())
            return 2;
        const bool entered =
            ::access(folder.c_str(), X_OK) == 0 || std::ofstream(folder + "/Temp.htm").good();
        return entered ? 1 : 0;
    });
    EXPECT_EQ(other.End, testing::ChildEnd::Exited);
    EXPECT_EQ(other.Code, 0);
}

} // namespace
} // namespace notarion
