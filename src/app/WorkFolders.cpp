#include "app/StartOfWork.h"

#include "text/FileSystem.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace notarion {
namespace {

std::string SettingsMarker() {
    return ProductFolderName;
}

std::string WorkFolder(const std::string& appData) {
    return appData + PathSeparator + MakerFolderName + PathSeparator + ProductFolderName;
}

// A base folder that exists or could be made; the per-user data folder of a
// fresh account may not exist yet.
bool Usable(const std::filesystem::path& folder) {
    if (folder.empty() || !folder.is_absolute())
        return false;
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    return std::filesystem::create_directories(folder, error) && !error;
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// A folder only this user can enter: their own, not a link, closed to
// everyone else. A shared folder would let a stranger plant links where
// the program writes, or read the previews of student data.
bool IsPrivateFolder(const std::filesystem::path& folder) {
    struct stat info {};
    return folder.is_absolute() && ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// Where the work folders go when the user has no data folder: the user's
// runtime folder, else a folder of the user's own in the temporary folder.
// None when a stranger holds that name first.
std::optional<std::filesystem::path> PrivateFallback() {
    if (const std::filesystem::path runtime = EnvironmentValue("XDG_RUNTIME_DIR");
        IsPrivateFolder(runtime))
        return runtime.lexically_normal();
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error)
        temporary = "/tmp";
    const std::filesystem::path own =
        temporary.lexically_normal() / ("notarion-" + std::to_string(::geteuid()));
    ::mkdir(own.c_str(), 0700);
    if (IsPrivateFolder(own))
        return own;
    return std::nullopt;
}

} // namespace

std::string AppDataFolder(int folderId) {
    if (folderId != AppDataFolderId)
        return {};
    std::vector<std::filesystem::path> candidates;
    if (const std::string xdg = EnvironmentValue("XDG_DATA_HOME"); !xdg.empty())
        candidates.emplace_back(xdg);
    if (const std::string home = EnvironmentValue("HOME"); !home.empty())
        candidates.push_back(std::filesystem::path(home) / ".local" / "share");
    for (const auto& candidate : candidates)
        if (Usable(candidate))
            return TextFromPath(candidate.lexically_normal());
    const auto fallback = PrivateFallback();
    return fallback ? TextFromPath(*fallback) : std::string();
}

void EnsureWorkFolders(const std::string& appData) {
    // Without a data folder of the user's own the work folders are passed
    // over like folders that cannot be created.
    if (appData.empty())
        return;
    const std::string maker = appData + PathSeparator + MakerFolderName;
    const std::string product = maker + PathSeparator + ProductFolderName;
    const std::string temp = product + PathSeparator + "Temp";
    for (const std::string& folder : {maker, product, temp})
        if (!DirectoryExists(folder))
            CreateSingleDirectory(folder);
}

void InitSettings(SharedState& state, const std::string& appData) {
    EnsureWorkFolders(appData);
    const std::string folder = WorkFolder(appData);
    const std::string settingsPath = folder + PathSeparator + ProductFolderName + ".ini";
    state.TempFolder = folder + PathSeparator + "Temp" + PathSeparator;
    if (appData.empty())
        return;

    bool markerMatches = false;
    if (FileExists(settingsPath)) {
        try {
            const std::string content = ReadWholeFile(settingsPath);
            const std::string firstLine = content.substr(0, content.find_first_of("\r\n"));
            markerMatches = !content.empty() && firstLine == SettingsMarker();
        } catch (const std::exception&) {
            // An unreadable settings file is treated like a wrong marker.
        }
    }
    if (markerMatches)
        return;
    try {
        WriteWholeFile(settingsPath, SettingsMarker() + "\r\n");
    } catch (const std::exception&) {
        // The settings file decides nothing; a read-only folder must not stop the start.
    }
}

} // namespace notarion
