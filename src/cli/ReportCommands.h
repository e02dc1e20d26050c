#pragma once

// The `report` commands: one report file as the editor's form sees it, a
// report file from its JSON form, and an empty report of a kind. Arguments
// are UTF-8; a command that cannot finish throws CommandError.

#include <iosfwd>
#include <string>
#include <string_view>

namespace notarion {

// Print the report's kind, fields, lists and reading problems, as Polish text
// or as JSON (ReportJson.h). Returns 0 when the report has a known kind, 1
// otherwise (its problems are printed all the same). Throws CommandError when
// the file is missing or cannot be read.
int ReportShowCommand(std::string_view report, bool json, std::ostream& out);

// Write the report of the JSON file at jsonFile to outFile and print the path
// written. A report holding letters Windows-1250 lacks is written as UTF-16,
// with a note on err naming them. Nothing is written when the JSON is bad, a
// value cannot be saved (a control character, an average that is not a
// number), the report would pass the reader's limits, or outFile is
// protected against writing: throws CommandError naming each place.
void ReportWriteCommand(std::string_view jsonFile, std::string_view outFile, std::ostream& out,
                        std::ostream& err);

// Write an empty report of the kind (its kind text or short name) to
// outFile, which must not exist yet, and print the path written. Throws
// CommandError (usage error) for an unknown kind.
void ReportNewCommand(std::string_view kind, std::string_view outFile, std::ostream& out);

// The short names and kind texts of the nine kinds, one per line, for help.
std::string KindNamesHelp();

} // namespace notarion
