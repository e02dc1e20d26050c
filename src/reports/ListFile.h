#pragma once

// The list file ("*.xmp"): a saved catalogue, one position per slot with its
// title, path and kind, read and written through the XML model in cp1250.

#include "reports/ReportCatalogue.h"
#include "text/Result.h"

#include <string>
#include <string_view>

namespace notarion {

// The most positions a list file may declare; a larger or negative
// "IlePozycji" is taken for a damaged file.
inline constexpr int MaxListPositions = 100000;

// Write the whole catalogue to path, replacing any file there; the file is
// written whole or not at all. A file that cannot be written gives its cause,
// which keeps the system's reason (a full disk, no permission). Never throws.
Result<> WriteListFile(const ReportCatalogue& catalogue, const std::string& path);

// Replace the catalogue with the positions of the list file; a missing
// position gives an empty entry. A relative report path in the file is taken
// relative to the list file's folder. A listed report that does not exist is
// looked for beside the list file (the school's folder was moved or copied):
// first at its path relative to the folder the list was saved from (the
// listed path's last folder named like the list file's folder), then by its
// name alone in the list file's folder; it keeps its listed path when neither
// exists. The file itself is never changed by reading. Fails, with the
// catalogue unchanged, when the file is missing or cannot be read
// (UnreadableFile, with the system's reason) or its "IlePozycji" is not a
// whole number between 0 and MaxListPositions (BadValue, naming the element
// and its text). Never throws.
Result<> ReadListFile(ReportCatalogue& catalogue, const std::string& path);

} // namespace notarion
