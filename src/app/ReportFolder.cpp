#include "app/ReportFolder.h"

#include "app/StartOfWork.h"
#include "text/Cp1250.h"
#include "text/FileSystem.h"

#include <optional>

namespace notarion {

std::u16string FolderCatalogue::Message() const {
    switch (Refusal) {
    case FolderRefusal::None:
        return {};
    case FolderRefusal::NoReportFiles:
        return NoReportFilesMessage();
    case FolderRefusal::NameCannotBeOpened:
    case FolderRefusal::DamagedFile:
        return DamagedFileMessage(File);
    }
    return {};
}

std::vector<std::string> FindReportFiles(const std::string& folder) {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != PathSeparator)
        pattern += PathSeparator;
    std::vector<std::string> found;
    FindFiles(pattern + "*.xml", "", found);
    return found;
}

FolderCatalogue CatalogueFromFolder(const std::string& folder) {
    FolderCatalogue result;
    result.Found = FindReportFiles(folder);
    if (result.Found.empty()) {
        result.Refusal = FolderRefusal::NoReportFiles;
        return result;
    }
    // Passing over a name that opens nothing in silence would drop a class
    // from the documents while the set claims success.
    for (const std::string& path : result.Found) {
        if (!FileExists(path)) {
            result.Refusal = FolderRefusal::NameCannotBeOpened;
            result.File = path;
            return result;
        }
    }
    if (const std::optional<std::string> failed = BuildCatalogue(result.Catalogue, result.Found)) {
        result.Refusal = FolderRefusal::DamagedFile;
        result.File = *failed;
    }
    return result;
}

std::u16string NoReportFilesMessage() {
    return Utf8ToUtf16("Brak plików z danymi we wskazanym folderze.\rProgram nie ma co "
                       "przetwarzać.");
}

std::u16string ListFileUnreadableMessage() {
    return Utf8ToUtf16("Wystąpiły problemy z wczytaniem pliku listy.\rPrawdopodobnie plik jest "
                       "uszkodzony.");
}

std::u16string ListFileUnwritableMessage() {
    return Utf8ToUtf16("Wystąpiły problemy z zapisem pliku.\rPrawdopodobnie nie masz prawa do "
                       "zapisu we wskazanym miejscu.");
}

} // namespace notarion
