#pragma once

// A program run as a user runs it from a terminal, without a shell between:
// its words reach it exactly as given, on Linux and on Windows alike.

#include <filesystem>
#include <string>
#include <vector>

namespace notarion::testing {

// Run program with words (UTF-8) as its arguments, in workingFolder when one
// is given, with nothing on its input and its output and error output written
// to the two files. Its exit code, or -1 when it could not be started or did
// not exit by itself (a signal ended it).
int RunProgramToFiles(const std::string& program, const std::vector<std::string>& words,
                      const std::string& workingFolder, const std::filesystem::path& out,
                      const std::filesystem::path& err);

} // namespace notarion::testing
