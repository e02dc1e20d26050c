#pragma once

// The boundary between the core's text and the terminal. The core holds
// Windows-1250 text and sends its messages as UTF-16 with a carriage return
// between lines; the terminal and the command line speak UTF-8. An argument
// becomes core text through CoreTextFromArgument (text/Cp1250.h), which the
// windowed program shares.

#include <string>
#include <string_view>

namespace notarion {

struct FailureCause;

// Core text (cp1250) as UTF-8 for the terminal. Never fails.
std::string TerminalText(std::string_view cp1250);

// A message of the core (UTF-16, carriage return between lines) as UTF-8
// lines separated by newlines; every other control character (of a file name
// in the message) is shown escaped. Never fails.
std::string TerminalMessage(std::u16string_view message);

// UTF-8 text with every control character (tab, line breaks, escape, the C1
// controls) shown escaped ("\t", "\x1b", "\u009b"), so that a name or a value
// keeps to its one line or tab-separated column and the terminal obeys none
// of it; so is a byte that is not UTF-8 ("\xff"). Every name printed on the
// terminal passes through here.
std::string OneLine(std::string_view utf8);

// "Nie można zapisać pliku: " and the path (UTF-8, shown escaped), and on a
// second line the system's reason (a full disk, no permission) when the
// failure carries one.
std::string UnwritableFileText(std::string_view utf8Path, const FailureCause& cause);

} // namespace notarion
