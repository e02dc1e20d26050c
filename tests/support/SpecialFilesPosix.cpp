#include "support/SpecialFiles.h"

#include <sys/stat.h>

namespace notarion::testing {

bool MakeNamedPipe(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

} // namespace notarion::testing
