#pragma once

// The process-wide state, made at the start of work and handed by reference to
// the windows and generators. There are no globals: a test makes its own.

#include "app/RememberedPlaces.h"
#include "generate/GenerationState.h"
#include "reports/MessageSink.h"
#include "reports/ReportCatalogue.h"

#include <string>
#include <vector>

namespace notarion {

struct SharedState : GenerationState {
    // Folder of the executable, with a trailing separator.
    std::string AppFolder;
    // The work folder for "Temp.htm", with a trailing separator.
    std::string TempFolder;
    // The last folder confirmed in the new-set path; empty until then.
    std::string LastReportFolder;
    // Where the document set is written.
    std::string OutputFolder;
    // The list file the current set was opened from; empty for a set made
    // from a chosen folder. The set's documents go beside its source.
    std::string SetListFile;
    // Full paths of the report files found or chosen last.
    std::vector<std::string> FoundReportFiles;
    ReportCatalogue Catalogue;
    // The message box; windows install theirs, tests a recorder.
    MessageSink ShowWarning;
    // The same box when the answer matters; empty in tests that need none.
    MessageQuestion Ask;
    // The places remembered between runs, and the file they are kept in
    // (empty until the start of work: nothing is stored then).
    RememberedPlaces Remembered;
    std::string RememberedPlacesFile;
};

} // namespace notarion
