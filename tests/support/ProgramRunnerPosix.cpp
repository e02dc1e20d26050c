#include "support/ProgramRunner.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace notarion::testing {

int RunProgramToFiles(const std::string& program, const std::vector<std::string>& words,
                      const std::string& workingFolder, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
    // Everything the child needs is made before the fork: after it, in a
    // process with threads, only the system's own calls are safe.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        const int input = ::open("/dev/null", O_RDONLY);
        const int output = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errors = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (input < 0 || output < 0 || errors < 0 || ::dup2(input, 0) < 0 ||
            ::dup2(output, 1) < 0 || ::dup2(errors, 2) < 0 ||
            (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0))
            ::_exit(127);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace notarion::testing
