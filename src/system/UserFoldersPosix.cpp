// The user's folders on Linux and other POSIX systems: the XDG base folders,
// and a private fallback where they are missing.

#include "system/UserFolders.h"

#include "system/FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace notarion {
namespace fs = std::filesystem;

namespace {

// A base folder that exists or could be made; the per-user data folder of a
// fresh account may not exist yet.
bool Usable(const fs::path& folder) {
    if (folder.empty() || !folder.is_absolute())
        return false;
    std::error_code error;
    if (fs::is_directory(folder, error))
        return true;
    return fs::create_directories(folder, error) && !error;
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// A folder only this user can enter: their own, not a link, closed to
// everyone else. A shared folder would let a stranger plant links where
// the program writes, or read the previews of student data.
bool IsPrivateFolder(const fs::path& folder) {
    struct stat info {};
    return folder.is_absolute() && ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// Where the work folders go when the user has no data folder: the user's
// runtime folder, else a folder of the user's own in the temporary folder.
// None when a stranger holds that name first.
std::optional<fs::path> PrivateFallback() {
    if (const fs::path runtime = EnvironmentValue("XDG_RUNTIME_DIR"); IsPrivateFolder(runtime))
        return runtime.lexically_normal();
    std::error_code error;
    fs::path temporary = fs::temp_directory_path(error);
    if (error)
        temporary = "/tmp";
    const fs::path own = temporary.lexically_normal() / ("notarion-" + std::to_string(::geteuid()));
    ::mkdir(own.c_str(), 0700);
    if (IsPrivateFolder(own))
        return own;
    return std::nullopt;
}

} // namespace

std::string UserDataFolder() {
    std::vector<fs::path> candidates;
    if (const std::string xdg = EnvironmentValue("XDG_DATA_HOME"); !xdg.empty())
        candidates.emplace_back(xdg);
    if (const std::string home = EnvironmentValue("HOME"); !home.empty())
        candidates.push_back(fs::path(home) / ".local" / "share");
    for (const auto& candidate : candidates)
        if (Usable(candidate))
            return TextFromPath(candidate.lexically_normal());
    const auto fallback = PrivateFallback();
    return fallback ? TextFromPath(*fallback) : std::string();
}

} // namespace notarion
