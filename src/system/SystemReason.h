#pragma once

// The system's reason for a failed file operation, told to the user: a full
// disk or a folder without write permission is not a damaged report.

#include <string>

namespace notarion {

// Whether the failed operation read a file or wrote one: a missing
// permission or a missing path reads differently for each.
enum class FileAccess { Write, Read };

// One Polish sentence (UTF-8) for the system's code of a failed operation
// (FailureCause::SystemError: errno on Linux, GetLastError on Windows): its
// own text for the failures a user can act on (a full disk, no permission, a
// read-only medium, ...), the system's text for any other.
std::string SystemReasonText(int error, FileAccess access = FileAccess::Write);

} // namespace notarion
