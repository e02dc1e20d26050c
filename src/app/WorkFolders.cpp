#include "app/StartOfWork.h"

#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "system/UserFolders.h"

namespace notarion {
namespace {

std::string SettingsMarker() {
    return ProductFolderName;
}

std::string WorkFolder(const std::string& appData) {
    return appData + PathSeparator + MakerFolderName + PathSeparator + ProductFolderName;
}

} // namespace

std::string AppDataFolder(int folderId) {
    return folderId == AppDataFolderId ? UserDataFolder() : std::string();
}

void EnsureWorkFolders(const std::string& appData) {
    // Without a data folder of the user's own the work folders are passed
    // over like folders that cannot be created.
    if (appData.empty())
        return;
    const std::string maker = appData + PathSeparator + MakerFolderName;
    const std::string product = maker + PathSeparator + ProductFolderName;
    const std::string temp = product + PathSeparator + "Temp";
    // A folder that cannot be made is passed over: what needs it says so.
    for (const std::string& folder : {maker, product, temp})
        if (!DirectoryExists(folder))
            static_cast<void>(CreateSingleDirectory(folder));
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
        WriteWholeFile(settingsPath, SettingsMarker() + "\r\n", NamedBy::Program);
    } catch (const std::exception&) {
        // The settings file decides nothing; a read-only folder must not stop the start.
    }
}

} // namespace notarion
