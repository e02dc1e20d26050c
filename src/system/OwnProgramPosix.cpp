// This program on Linux: the kernel names its executable in /proc, and a
// program takes its place through exec.

#include "system/OwnProgram.h"

#include <cerrno>
#include <system_error>

#include <unistd.h>

namespace notarion {

std::filesystem::path OwnProgramPath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

RunInPlaceFailure RunInPlace(const std::filesystem::path& program,
                             const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> words = arguments;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    return {errno == ENOENT, errno};
}

} // namespace notarion
