#include "app/RememberedPlaces.h"

#include "app/SharedState.h"
#include "app/StartOfWork.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <exception>

namespace notarion {
namespace {

constexpr const char* ReportFolderKey = "LastReportFolder";
constexpr const char* ListFileKey = "LastListFile";
constexpr const char* SettingsFileName = "Notarion.ini";
// A real file of two paths is far smaller; anything larger is not ours.
constexpr std::size_t LargestSensibleFile = 16 * 1024;

// A stored value as a cp1250 path, or empty when it is no sensible path:
// not valid UTF-8 in the code page, relative, or holding control characters.
std::string PathFromValue(const std::string& utf8) {
    if (utf8.empty() || !IsRootedPath(utf8))
        return {};
    if (std::any_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return {};
    std::string cp1250 = Utf8ToCp1250(utf8);
    if (Cp1250ToUtf8(cp1250) != utf8)
        return {};
    return cp1250;
}

void Store(const SharedState& state) {
    if (!state.RememberedPlacesFile.empty())
        // A place that cannot be remembered costs the user nothing now: the
        // next start merely proposes another folder.
        static_cast<void>(WriteRememberedPlaces(state.RememberedPlacesFile, state.Remembered));
}

} // namespace

std::string RememberedPlacesPath(const std::string& appData) {
    return appData + PathSeparator + MakerFolderName + PathSeparator + ProductFolderName +
           PathSeparator + SettingsFileName;
}

RememberedPlaces ReadRememberedPlaces(const std::string& path) {
    RememberedPlaces places;
    std::string content;
    try {
        if (!FileExists(path))
            return places;
        content = ReadWholeFile(path);
    } catch (const std::exception&) {
        return places;
    }
    if (content.size() > LargestSensibleFile || content.find('\0') != std::string::npos)
        return places;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = line.substr(0, equals);
        const std::string value = PathFromValue(line.substr(equals + 1));
        if (name == ReportFolderKey)
            places.ReportFolder = value;
        else if (name == ListFileKey)
            places.ListFile = value;
    }
    return places;
}

Result<> WriteRememberedPlaces(const std::string& path, const RememberedPlaces& places) {
    std::string content;
    content += std::string(ReportFolderKey) + "=" + Cp1250ToUtf8(places.ReportFolder) + "\n";
    content += std::string(ListFileKey) + "=" + Cp1250ToUtf8(places.ListFile) + "\n";
    return Catching([&] { WriteWholeFile(path, content, NamedBy::Program); });
}

void RememberReportFolder(SharedState& state, const std::string& folder) {
    state.Remembered.ReportFolder = folder;
    Store(state);
}

void RememberListFile(SharedState& state, const std::string& file) {
    state.Remembered.ListFile = file;
    Store(state);
}

std::string ExistingFolderOr(const std::string& folder, const std::string& fallback) {
    return !folder.empty() && DirectoryExists(folder) ? folder : fallback;
}

} // namespace notarion
