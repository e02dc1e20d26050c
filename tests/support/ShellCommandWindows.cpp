#include "support/ShellCommand.h"

#include "text/Cp1250.h"

#include <cstdlib>
#include <string>

namespace notarion::testing {

// The command goes to cmd.exe as wide text, so Polish names in it arrive
// whole; its exit code is the command's.
int RunShellCommand(const std::string& command) {
    const std::u16string wide = Utf8ToUtf16(command);
    return ::_wsystem(std::wstring(wide.begin(), wide.end()).c_str());
}

} // namespace notarion::testing
