#pragma once

// How a command of the command-line front end ends. A command either returns
// normally (success) or throws CommandError with the exit code and the text
// to show; the dispatcher prints the text on the error stream.

#include <stdexcept>
#include <string>

namespace notarion {

// The exit codes of notarion-cli.
enum class ExitCode : int { Success = 0, WorkFailed = 1, UsageError = 2 };

// A command that cannot go on. Message is UTF-8 terminal text, possibly of
// several lines, without a final newline; it may be empty when the text was
// already printed.
class CommandError : public std::runtime_error {
public:
    CommandError(ExitCode code, const std::string& message)
        : std::runtime_error(message), m_code(code) {}
    ExitCode Code() const { return m_code; }

private:
    ExitCode m_code;
};

// Throw a usage error (exit code 2) with the given UTF-8 text.
[[noreturn]] inline void ThrowUsageError(const std::string& message) {
    throw CommandError(ExitCode::UsageError, message);
}

// Throw a failure of the work (exit code 1) with the given UTF-8 text.
[[noreturn]] inline void ThrowWorkFailed(const std::string& message) {
    throw CommandError(ExitCode::WorkFailed, message);
}

} // namespace notarion
