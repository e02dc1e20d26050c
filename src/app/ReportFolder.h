#pragma once

// The one road from a folder of report files to a catalogue, shared by the
// main window's new-set path and the command line: find every "*.xml" of the
// folder, refuse a name the program cannot open, load and order by kind. The
// refusals carry the texts the windows show, so both front ends say the same.

#include "reports/ReportCatalogue.h"
#include "text/Failure.h"
#include "text/Result.h"

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
    // Every found file's name has letters outside cp1250: each comes back
    // from the search with '?' in it and opens nothing, so nothing is left.
    NameCannotBeOpened,
    // A file exists but cannot be opened or read.
    DamagedFile,
};

struct FolderCatalogue {
    FolderRefusal Refusal = FolderRefusal::None;
    // Every report file found, in the order of the search.
    std::vector<std::string> Found;
    // The files passed over because their names cannot be used, in UTF-8 as
    // the file system holds them (FindFiles); the rest of the folder is
    // loaded all the same.
    std::vector<std::string> Unusable;
    // Ordered by kind; empty after a refusal.
    ReportCatalogue Catalogue;
    // The file refused (for a name that cannot be opened, its spelling in the
    // code page, with '?'), or empty.
    std::string File;
    // The message the windows show for the refusal, lines separated by a
    // carriage return; empty when nothing was refused.
    std::u16string Message() const;
    // The message naming the unusable files when the rest was loaded; empty
    // when there are none or the folder was refused.
    std::u16string Notice() const;
};

// A list file read for a set, with the listed reports found nowhere taken out.
struct ListCatalogue {
    ReportCatalogue Catalogue;
    // The listed reports that exist neither where listed nor beside the list.
    std::vector<std::string> Missing;
    // The folder of the list file, where the missing reports were also
    // looked for.
    std::string ListFolder;
    // "Nie znaleziono plików: …" naming Missing as listed, then the list's
    // folder, where they were looked for too; empty when none is missing.
    std::u16string Notice() const;
};

// The paths of the folder's report files (pattern folder + "/*.xml"), by
// name without regard to letter case. Empty when there are none. The files
// whose names the code page cannot spell go to unusable instead (UTF-8, as
// FindFiles gives them).
std::vector<std::string> FindReportFiles(const std::string& folder,
                                         std::vector<std::string>& unusable);

// Find, check and load the folder's report files. Never throws for the
// content of a file; a refusal leaves the catalogue empty.
FolderCatalogue CatalogueFromFolder(const std::string& folder);

// Read the list file (ReadListFile, which looks for moved reports beside
// it) and take out the positions whose report exists nowhere, so that a set
// is made of the reports found and the missing ones are named at once
// rather than as damaged files later. When the list file itself cannot be
// read, the cause names it and says why (the system's reason or the bad
// count); never throws.
Result<ListCatalogue> CatalogueFromListFile(const std::string& listFile);

// "Nie znaleziono plików: " and the paths, separated by ", ".
std::u16string MissingFilesMessage(const std::vector<std::string>& paths);
// What is wrong with report files whose names hold a letter the program
// cannot use (paths in UTF-8, as FindFiles gives them), and what to do:
// rename them.
std::u16string UnusableNamesMessage(const std::vector<std::string>& paths);

// "Brak plików z danymi we wskazanym folderze." and its second line.
std::u16string NoReportFilesMessage();
// The list file could not be read.
std::u16string ListFileUnreadableMessage();
// The list file could not be read, and why: ListFileUnreadableMessage(), then
// the lines of the cause (the file and the system's reason or the bad value),
// or only the file when the cause names none.
std::u16string ListFileUnreadableMessage(const FailureCause& cause, const std::string& listFile);
// The list file was named by a path (given in UTF-8) that holds a letter
// Windows-1250 cannot spell, so it cannot be opened by that name; the path
// is named on the last line.
std::u16string ListFileNameUnusableMessage(std::string_view utf8Path);
// The list file could not be written, and probably why: no permission.
std::u16string ListFileUnwritableMessage();
// The list file could not be written, and why: the system's reason that the
// cause keeps (a full disk is not a lack of permission), else the guess of
// ListFileUnwritableMessage().
std::u16string ListFileUnwritableMessage(const FailureCause& cause);

} // namespace notarion
