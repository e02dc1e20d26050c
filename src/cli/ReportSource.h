#pragma once

// Where the reports of a command come from: a folder of report files or a
// list file. A folder becomes the catalogue exactly as the main window's
// new-set path builds it (every "*.xml" of the folder, loaded and ordered by
// kind); a list file is read as the main window's list path reads it.

#include "reports/ReportCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace notarion {

enum class SourceKind { Folder, ListFile };

struct ReportSource {
    SourceKind Kind = SourceKind::Folder;
    // The folder or the list file as core text (cp1250), without a trailing separator.
    std::string Path;
};

// A path argument (UTF-8) as core text without trailing separators. Throws
// CommandError (usage error) when the argument is empty or holds a character
// that Windows-1250 cannot represent.
std::string PathArgument(std::string_view argument);

// The path (core text) made absolute against the working folder and
// normalised ("a/./b/../c" gives "a/c"); a list file keeps full paths, as the
// windows always give them. Throws CommandError (failure of the work) when
// the working folder's name has characters outside Windows-1250.
std::string AbsolutePath(const std::string& path);

// True when the name ends in ".xmp", in any letter case.
bool HasListFileSuffix(std::string_view path);

// Classify a SOURCE argument: an existing folder, or a file whose name ends in
// ".xmp". Throws CommandError: a failure of the work when nothing exists at
// the path, a usage error for a file of another kind or an unusable path.
ReportSource ResolveSource(std::string_view argument);

// The message for a report file found in a folder whose name the core cannot
// spell in Windows-1250, so that it cannot be opened (UTF-8, two lines); the
// path is UTF-8 as the file system holds it (FindFiles) and shown escaped.
std::string UnrepresentableNameMessage(const std::string& utf8Path);

// The catalogue of the source: for a folder, CatalogueFromFolder; for a list
// file, CatalogueFromListFile (moved reports looked for beside the list).
// Throws CommandError (failure of the work) with the system's message: no
// report files, a report file that cannot be read, a list file that cannot
// be read, a folder whose every file has a name outside Windows-1250, a list
// none of whose reports is found.
// When leftOut is given, it receives the paths of the reports that no
// document will hold because their kind is none of the nine. When notices is
// given, it receives one message (UTF-8) for each file passed over for its
// name and one naming the listed reports found nowhere; the work goes on.
ReportCatalogue LoadSourceCatalogue(const ReportSource& source,
                                    std::vector<std::string>* leftOut = nullptr,
                                    std::vector<std::string>* notices = nullptr);

// The default output folder: "Protokoly" inside the source folder, or inside
// the list file's folder.
std::string DefaultOutputFolder(const ReportSource& source);

} // namespace notarion
