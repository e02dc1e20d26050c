#pragma once

// The terminal as the command-line programs meet it: their arguments and
// their two output streams, in UTF-8 whatever the system speaks underneath.

#include <string>
#include <vector>

namespace notarion {

// The program's command-line words after the program's own name, as UTF-8.
// On Windows they are read from the wide command line, so that a Polish file
// name arrives whole whatever the console's code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Make std::cout and std::cerr take UTF-8 and show it correctly: on a Windows
// console as wide text, elsewhere (a file, a pipe, a Linux terminal) as the
// bytes themselves, unchanged, with no line-end translation. Call once at the
// start of main.
void PrepareTerminalOutput();

} // namespace notarion
