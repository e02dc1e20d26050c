#pragma once

// The one road from a folder of report files to a catalogue, shared by the
// main window's new-set path and the command line: find every "*.xml" of the
// folder, refuse a name the program cannot open, load and order by kind. The
// refusals carry the texts the windows show, so both front ends say the same.

#include "reports/ReportCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// The folder beside the reports that receives the document set.
inline constexpr std::string_view OutputFolderName = "Protokoly";

enum class FolderRefusal {
    None,
    // The folder holds no "*.xml" file.
    NoReportFiles,
    // A found file's name has letters outside cp1250: it comes back from the
    // search with '?' in it and opens nothing.
    NameCannotBeOpened,
    // A file exists but cannot be opened or read.
    DamagedFile,
};

struct FolderCatalogue {
    FolderRefusal Refusal = FolderRefusal::None;
    // Every report file found, in the order of the search.
    std::vector<std::string> Found;
    // Ordered by kind; empty after a refusal.
    ReportCatalogue Catalogue;
    // The file refused, or empty.
    std::string File;
    // The message the windows show for the refusal, lines separated by a
    // carriage return; empty when nothing was refused.
    std::u16string Message() const;
};

// The paths of the folder's report files (pattern folder + "/*.xml"), by
// name without regard to letter case. Empty when there are none.
std::vector<std::string> FindReportFiles(const std::string& folder);

// Find, check and load the folder's report files. Never throws for the
// content of a file; a refusal leaves the catalogue empty.
FolderCatalogue CatalogueFromFolder(const std::string& folder);

// "Brak plików z danymi we wskazanym folderze." and its second line.
std::u16string NoReportFilesMessage();
// The list file could not be read.
std::u16string ListFileUnreadableMessage();
// The list file could not be written.
std::u16string ListFileUnwritableMessage();

} // namespace notarion
