#include "support/ShellCommand.h"

#include <cstdlib>

#include <sys/wait.h>

namespace notarion::testing {

int RunShellCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace notarion::testing
