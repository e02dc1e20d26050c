#include "support/SpecialFiles.h"

namespace notarion::testing {

// Windows has no named pipe in a folder: its pipes live under \\.\pipe\.
bool MakeNamedPipe(const std::filesystem::path&) {
    return false;
}

} // namespace notarion::testing
