#pragma once

// The command-line front end of Notarion: notarion-cli. It links only the
// core and serves scripts, machines without a display and whole-road tests.
//
// CommandLine parses the words and prints help and usage errors; Commands
// does the work of each command (PdfCommand that of pdf, with a writer that
// only a build with Qt links in); ReportSource turns a folder or a list file
// into a catalogue; ReportCheck and CheckOutput make the check command.

#include "cli/PdfCommand.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace notarion {

// One option of a command: "--name VALUE" or "--name=VALUE" when it takes a
// value, "--name" alone otherwise.
struct CommandOption {
    std::string_view Name;
    bool TakesValue = false;
};

// The words of a command after its name, sorted out.
struct ParsedArguments {
    std::vector<std::string> Positionals;
    // (name, value) of every option given, in order; the value is empty for a flag.
    std::vector<std::pair<std::string, std::string>> Options;
    bool Help = false;

    bool Has(std::string_view name) const;
    // The value of an option that takes one, or nullopt when it was not given.
    std::optional<std::string> Value(std::string_view name) const;
};

// Sort the words into positionals and the given options. "--help" or "-h"
// anywhere before "--" sets Help; "--" makes every later word positional.
// Throws CommandError (usage error) for an unknown option, an option given
// twice, a missing value or a value given to a flag.
ParsedArguments ParseArguments(std::span<const std::string> words,
                               std::span<const CommandOption> options);

// Run notarion-cli with the words after the program name: results on out,
// messages on err (both UTF-8, except a preview page, which is cp1250); the
// pdf command writes through pdfWriter (none in a build without Qt).
// Returns the exit code (0 success, 1 failure of the work, 2 usage error).
// Never throws.
int RunCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
                   const SetPdfWriter& pdfWriter = {});

} // namespace notarion
