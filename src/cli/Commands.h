#pragma once

// The work of each notarion-cli command, once its arguments are parsed.
// Arguments are the command line's UTF-8 texts; results go to out, and a
// command that cannot finish throws CommandError with the text to show.

#include "cli/SummaryOutput.h"
#include "generate/SetContents.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace notarion {

// The order of the reports of each kind in a set: as the folder or the list
// gives them, or by class as a school counts them (OrderByClass).
enum class SetOrder { AsFound, ByClass };

// The value of --order as a SetOrder: "klasy" orders by class. Throws
// CommandError (usage error) for any other value.
SetOrder SetOrderArgument(std::string_view argument);

// Write the fourteen documents of the folder or list file source and the
// page of the set's figures into outFolder (default: "Protokoly" beside the
// reports), creating it when missing, and print the path of every document
// written, one per line, the page last.
// separator defaults to SystemDecimalSeparator(). Reports of no known kind,
// which no document holds, are named on err. Throws CommandError with the
// system's message of the failed step.
void GenerateCommand(std::string_view source, const std::optional<std::string>& outFolder,
                     const std::optional<std::string>& separator, std::ostream& out,
                     std::ostream& err, SetOrder order = SetOrder::AsFound);

// The work of GenerateCommand without the listing of paths: write the set
// and name the reports left out on err. Returns what the set holds. Throws
// CommandError as GenerateCommand does.
SetContents GenerateSet(std::string_view source, const std::optional<std::string>& outFolder,
                        const std::optional<std::string>& separator, std::ostream& err,
                        SetOrder order = SetOrder::AsFound);

// Write the preview page of one report file to outFile, or to out unchanged
// (cp1250) when outFile is empty. Throws CommandError when the file is
// missing, unreadable, of no known kind, damaged, or the page cannot be written.
void PreviewCommand(std::string_view report, const std::optional<std::string>& outFile,
                    const std::optional<std::string>& separator, std::ostream& out);

// Build the catalogue of the source and write it as a list file (".xmp" is
// added to a name without extension); prints the path written and names the
// reports of no known kind, left as empty positions, on err. Throws
// CommandError with the system's message when loading or writing fails.
void ListSaveCommand(std::string_view source, std::string_view listFile, std::ostream& out,
                     std::ostream& err, SetOrder order = SetOrder::AsFound);

// Print the positions of a list file, one per line: title, path and kind,
// separated by tabs, in UTF-8. Throws CommandError when the file cannot be read.
void ListShowCommand(std::string_view listFile, std::ostream& out);

// Check every report of the source and print the findings as Polish text or
// JSON. Returns ExitCode::Success when nothing was found, WorkFailed otherwise.
// Throws CommandError when the source itself cannot be used.
int CheckCommand(std::string_view source, bool json, std::ostream& out);

// Print the figures of the set of the folder or list file source (SummariseSet)
// as a table, JSON or CSV, to outFile (named by the user) or to out. Throws
// CommandError when the source cannot be used, a report cannot be read or
// the file cannot be written.
void SummaryCommand(std::string_view source, SummaryFormat format,
                    const std::optional<std::string>& outFile, std::ostream& out);

// The decimal separator argument as core text: 1 to 3 printable characters of
// Windows-1250. Throws CommandError (usage error) for anything else.
std::string DecimalSeparatorArgument(std::string_view argument);

} // namespace notarion
