#pragma once

// This program as the system knows it: the path of its executable, and
// another program run in its place.

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {

// The path of this program's executable file, links resolved; empty when the
// system cannot tell.
std::filesystem::path OwnProgramPath();

// Why a program could not be run in this one's place.
struct RunInPlaceFailure {
    // Nothing is at the path: the next place may hold the program.
    bool Missing = false;
    // Otherwise the system's code (SystemReasonText tells it).
    int SystemError = 0;
};

// Run the program at path in this program's place, with arguments (the
// words after the program's name, as this program received them): its exit
// status becomes this process's, its input and output are this program's.
// Returns only when it could not be started.
RunInPlaceFailure RunInPlace(const std::filesystem::path& program,
                             const std::vector<std::string>& arguments);

} // namespace notarion
