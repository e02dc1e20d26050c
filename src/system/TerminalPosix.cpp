#include "system/Terminal.h"

namespace notarion {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

void PrepareTerminalOutput() {
    // A Linux terminal, file or pipe takes UTF-8 bytes as they are.
}

} // namespace notarion
