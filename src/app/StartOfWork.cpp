#include "app/StartOfWork.h"

#include "app/RememberedPlaces.h"
#include "system/FileSystem.h"

#include <locale>

namespace notarion {

void StartOfWork(SharedState& state, const std::string& executablePath,
                 const std::string& appData) {
    state.AppFolder = FolderOf(executablePath) + PathSeparator;
    InitSettings(state, appData);
    state.RememberedPlacesFile = RememberedPlacesPath(appData);
    state.Remembered = ReadRememberedPlaces(state.RememberedPlacesFile);
    state.FoundReportFiles.clear();
    state.ProtocolBuffer = {};
    state.PreviewBuffer = {};
    state.LastReportFolder.clear();
    state.OutputFolder = state.AppFolder;
    state.ListBuffer = {};
    state.DistinguishedList = {};
    state.ExemplaryList = {};
    state.AttendanceList = {};
    state.LoweredBehaviourList = {};
    state.FailingList = {};
}

void EndOfWork(SharedState& state) {
    state.ProtocolBuffer = {};
    state.PreviewBuffer = {};
    state.ListBuffer = {};
    state.FoundReportFiles.clear();
    state.DistinguishedList = {};
    state.ExemplaryList = {};
    state.AttendanceList = {};
    state.LoweredBehaviourList = {};
    state.FailingList = {};
}

std::string SystemDecimalSeparator() {
    try {
        const std::locale user("");
        const char point = std::use_facet<std::numpunct<char>>(user).decimal_point();
        return point != '\0' ? std::string(1, point) : std::string(",");
    } catch (const std::exception&) {
        return ",";
    }
}

} // namespace notarion
