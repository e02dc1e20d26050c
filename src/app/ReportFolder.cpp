#include "app/ReportFolder.h"

#include "app/StartOfWork.h"
#include "generate/DocumentSet.h"
#include "reports/ListFile.h"
#include "system/FileSystem.h"
#include "system/SystemReason.h"
#include "text/Cp1250.h"

#include <algorithm>
#include <optional>

namespace notarion {

std::u16string FolderCatalogue::Message() const {
    switch (Refusal) {
    case FolderRefusal::None:
        return {};
    case FolderRefusal::NoReportFiles:
        return NoReportFilesMessage();
    case FolderRefusal::NameCannotBeOpened:
        return UnusableNamesMessage(Unusable);
    case FolderRefusal::DamagedFile:
        return DamagedFileMessage(File);
    }
    return {};
}

std::u16string FolderCatalogue::Notice() const {
    if (Refusal != FolderRefusal::None || Unusable.empty())
        return {};
    return UnusableNamesMessage(Unusable) + u"\rPozostałe pliki folderu zostały wczytane.";
}

std::u16string ListCatalogue::Notice() const {
    if (Missing.empty())
        return {};
    // The listed paths name the old place; the user also needs to know that
    // the folder the list lies in now was searched, so the files are not
    // simply copied there again.
    std::u16string notice = MissingFilesMessage(Missing);
    if (!ListFolder.empty())
        notice += u"\rNie ma ich też w folderze pliku listy: " + Cp1250ToUtf16(ListFolder) + u".";
    return notice;
}

std::vector<std::string> FindReportFiles(const std::string& folder,
                                         std::vector<std::string>& unusable) {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != PathSeparator)
        pattern += PathSeparator;
    std::vector<std::string> found;
    unusable = FindFiles(pattern + "*.xml", "", found);
    return found;
}

FolderCatalogue CatalogueFromFolder(const std::string& folder) {
    FolderCatalogue result;
    result.Found = FindReportFiles(folder, result.Unusable);
    if (result.Found.empty() && result.Unusable.empty()) {
        result.Refusal = FolderRefusal::NoReportFiles;
        return result;
    }
    // A name the code page cannot spell opens another file or none. Such a
    // file is named (Notice) rather than dropped in silence, and one such
    // name does not cost the user the rest of the folder.
    if (result.Found.empty()) {
        result.Refusal = FolderRefusal::NameCannotBeOpened;
        result.File = Utf8ToCp1250(result.Unusable.front());
        return result;
    }
    if (const std::optional<std::string> failed = BuildCatalogue(result.Catalogue, result.Found)) {
        result.Refusal = FolderRefusal::DamagedFile;
        result.File = *failed;
    }
    return result;
}

Result<ListCatalogue> CatalogueFromListFile(const std::string& listFile) {
    return Catching([&]() -> Result<ListCatalogue> {
        ListCatalogue result;
        result.ListFolder = FolderOf(listFile);
        if (Result<> read = ReadListFile(result.Catalogue, listFile); !read)
            return read.Cause();
        std::vector<ReportEntry>& slots = result.Catalogue.Slots;
        const auto gone = std::remove_if(slots.begin(), slots.end(), [&](const ReportEntry& entry) {
            if (entry.Path.empty() || FileExists(entry.Path))
                return false;
            result.Missing.push_back(entry.Path);
            return true;
        });
        slots.erase(gone, slots.end());
        result.Catalogue.Count = static_cast<int>(slots.size());
        return result;
    });
}

namespace {

std::string JoinedPaths(const std::vector<std::string>& utf8Paths) {
    std::string joined;
    for (const std::string& path : utf8Paths)
        joined += (joined.empty() ? "" : ", ") + path;
    return joined;
}

std::vector<std::string> Utf8Paths(const std::vector<std::string>& paths) {
    std::vector<std::string> converted;
    for (const std::string& path : paths)
        converted.push_back(Cp1250ToUtf8(path));
    return converted;
}

} // namespace

std::u16string MissingFilesMessage(const std::vector<std::string>& paths) {
    return Utf8ToUtf16("Nie znaleziono plików: " + JoinedPaths(Utf8Paths(paths)));
}

std::u16string UnusableNamesMessage(const std::vector<std::string>& paths) {
    return Utf8ToUtf16("Nazwa pliku zawiera znak, którego program nie może użyć: " +
                       JoinedPaths(paths) + "\rZmień nazwę pliku i wskaż folder jeszcze raz.");
}

std::u16string NoReportFilesMessage() {
    return Utf8ToUtf16("Brak plików z danymi we wskazanym folderze.\rProgram nie ma co "
                       "przetwarzać.");
}

std::u16string ListFileUnreadableMessage() {
    return Utf8ToUtf16("Wystąpiły problemy z wczytaniem pliku listy.\rPrawdopodobnie plik jest "
                       "uszkodzony.");
}

std::u16string ListFileUnreadableMessage(const FailureCause& cause, const std::string& listFile) {
    // A cause that names nothing (memory ran out) still leaves the user the
    // name of the list that did not open.
    const std::u16string reason = FailureCauseMessage(cause);
    return ListFileUnreadableMessage() + u"\r" +
           (reason.empty() ? u"Plik: " + Cp1250ToUtf16(listFile) : reason);
}

std::u16string ListFileNameUnusableMessage(std::string_view utf8Path) {
    return Utf8ToUtf16("Nazwa pliku listy zawiera znak, którego program nie może użyć.\rZmień "
                       "nazwę pliku (albo folderu) i otwórz go jeszcze raz.\rPlik: " +
                       std::string(utf8Path));
}

namespace {
constexpr std::string_view ListFileUnwritable = "Wystąpiły problemy z zapisem pliku.\r";
} // namespace

std::u16string ListFileUnwritableMessage() {
    return Utf8ToUtf16(std::string(ListFileUnwritable) +
                       "Prawdopodobnie nie masz prawa do zapisu we wskazanym miejscu.");
}

std::u16string ListFileUnwritableMessage(const FailureCause& cause) {
    if (cause.SystemError == 0)
        return ListFileUnwritableMessage();
    return Utf8ToUtf16(std::string(ListFileUnwritable) + SystemReasonText(cause.SystemError));
}

} // namespace notarion
