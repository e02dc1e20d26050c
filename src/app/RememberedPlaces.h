#pragma once

// The places the program remembers between runs: the last report folder and
// the last list file, so that the folder picker and the file dialogs open
// there next time. They live in a settings file of the program's own beside
// the marker file; the marker file itself is never touched here.

#include "text/Result.h"

#include <string>

namespace notarion {

struct SharedState;

// The remembered places (cp1250 paths); empty when not known.
struct RememberedPlaces {
    std::string ReportFolder;
    std::string ListFile;

    bool operator==(const RememberedPlaces&) const = default;
};

// The settings file below the per-user application-data folder appData.
std::string RememberedPlacesPath(const std::string& appData);

// The places stored in the file at path. Never fails: a missing, unreadable,
// damaged or odd file, and any line that is not one absolute path under a
// known name, give empty places.
RememberedPlaces ReadRememberedPlaces(const std::string& path);

// Store places in the file at path (UTF-8 lines "name=path"). Returns the
// cause when the file cannot be written; nothing else changes then.
Result<> WriteRememberedPlaces(const std::string& path, const RememberedPlaces& places);

// Note folder as the last report folder in state and store it; a failure to
// store it passes in silence (remembering is a convenience).
void RememberReportFolder(SharedState& state, const std::string& folder);

// Note file as the last list file in state and store it, as above.
void RememberListFile(SharedState& state, const std::string& file);

// folder when it is an existing directory, else fallback.
std::string ExistingFolderOr(const std::string& folder, const std::string& fallback);

} // namespace notarion
