#pragma once

// The start and the end of work, the work folders under the user's data
// folder, the settings marker and the search for report files. The main
// window calls StartOfWork when it is shown and EndOfWork when it closes.

#include "app/SharedState.h"

#include <string>
#include <vector>

namespace notarion {

// The names of the work folders and of the settings file and its marker.
inline constexpr const char* MakerFolderName = "OrvApp";
inline constexpr const char* ProductFolderName = "RevNotarion";
inline constexpr const char* ApplicationTitle = "Notarion";

// The id of the per-user application-data folder, the only one asked for.
inline constexpr int AppDataFolderId = 26;

// The per-user application-data folder without a trailing separator, as the
// system layer finds it (UserDataFolder). Empty when there is none, and for
// any id other than AppDataFolderId.
std::string AppDataFolder(int folderId);

// Create the missing work folders below appData, one level at a time, in
// order: OrvApp, OrvApp/RevNotarion, OrvApp/RevNotarion/Temp. Failures pass in
// silence; an empty appData (no folder of the user's own) creates nothing.
void EnsureWorkFolders(const std::string& appData);

// Ensure the work folders, check the settings marker (rewriting the file when
// it is missing, unreadable, empty or wrong) and set state.TempFolder. Never
// fails: an unwritable settings file is passed over.
void InitSettings(SharedState& state, const std::string& appData);

// Append to list the full path of every file in the pattern's folder whose
// name matches the pattern's name part followed by suffix ("*" and "?"
// wildcards, letter case ignored). Directories are skipped; the order is by
// name, letter case ignored. The list is not cleared first. Files whose names
// the code page cannot spell are not appended; their paths are returned
// instead, so that the caller can name them: in UTF-8, the name as the file
// system holds it (its "?" spelling could be another file's name).
[[nodiscard]] std::vector<std::string>
FindFiles(const std::string& pattern, const std::string& suffix, std::vector<std::string>& list);

// The start of work: AppFolder from the executable's folder, InitSettings,
// the places remembered from the last run,
// empty buffers and lists, LastReportFolder empty, OutputFolder = AppFolder.
// The message sink and the decimal separator are left as the caller set them.
void StartOfWork(SharedState& state, const std::string& executablePath, const std::string& appData);

// The end of work: release the buffers, FoundReportFiles and the student lists.
void EndOfWork(SharedState& state);

// The user's regional decimal separator (from the environment's locale),
// read once where the program starts; "," when the locale gives nothing.
std::string SystemDecimalSeparator();

} // namespace notarion
