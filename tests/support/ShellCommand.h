#pragma once

#include <string>

namespace notarion::testing {

// Run a command line in the system's shell; its exit code, or -1 when it did
// not exit (a signal ended it, the shell could not be started).
int RunShellCommand(const std::string& command);

} // namespace notarion::testing
