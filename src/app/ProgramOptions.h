#pragma once

// The windowed program's command line. It opens its windows whatever it is
// given, except for two questions answered on the terminal before any
// window (its version and its help) and the report editor alone; a list
// file named after the program's name (a double click on a "*.xmp") opens in
// the list editor over the main window. Standard library only.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace notarion {

enum class ProgramRequest { OpenWindows, PrintVersion, PrintHelp, OpenEditor };

// What the arguments after the program's name ask for: the first of
// --version, --help, -h or --edytor decides; anything else opens the windows.
ProgramRequest ReadProgramRequest(std::span<const std::string_view> arguments);

// The report file given after --edytor (UTF-8), or the empty text when none is.
std::string EditorFileArgument(std::span<const std::string_view> arguments);

// The list file named for the windows (UTF-8, as given): the first argument
// that is no option (does not start with "-"); nullopt when there is none.
// Only for ProgramRequest::OpenWindows: the editor's file is its own.
std::optional<std::string_view> ListFileArgument(std::span<const std::string_view> arguments);

// "notarion 1.0.0" and a new line: the project's version number.
std::string ProgramVersionText();

// The Polish usage text (UTF-8); its last line names helpPage, the help page
// the program opens for F1.
std::string ProgramHelpText(std::string_view helpPage);

// The version as the windows show it: "wersja 1.0.0".
std::string VersionCaption();

} // namespace notarion
