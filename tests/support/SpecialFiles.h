#pragma once

// Files that are no regular files, for the tests of what the program does
// when it meets one where a report, a picture or a document should be.

#include <filesystem>

namespace notarion::testing {

// Make a named pipe at path, which blocks whoever opens it for reading until
// a writer comes. False where it cannot be made, or the system has none.
bool MakeNamedPipe(const std::filesystem::path& path);

} // namespace notarion::testing
