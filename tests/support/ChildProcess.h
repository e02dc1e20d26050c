#pragma once

// Work run in another process, for the tests of what only another process
// shows: a read that would hang, a kill in the middle of a write, a lock
// dropped with its holder, another user, a smaller limit on a file's size.
// The POSIX side's own: implemented with fork in ChildProcessPosix.cpp, and
// linked only where the platform is POSIX.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace notarion::testing {

// How a child process ended.
enum class ChildEnd {
    Exited,
    // It ran past its time and was ended.
    TimedOut,
    // A signal other than its timer ended it, or it let an exception out.
    Crashed,
};

struct ChildOutcome {
    ChildEnd End = ChildEnd::Crashed;
    // The body's return value, when the child exited.
    int Code = -1;
    // The text the body gave back.
    std::string Text;
};

// Run body in a child process: what it returns becomes the child's exit
// code, the text it leaves in its argument comes back. A child still running
// after timeout is ended.
ChildOutcome RunInChild(const std::function<int(std::string& text)>& body,
                        std::chrono::seconds timeout = std::chrono::seconds(5));

// The text that work gives in a child process that first runs limit (such
// as LimitFileSize); empty when the child gave nothing.
std::string TextFromChild(const std::function<void()>& limit,
                          const std::function<std::string()>& work);

// A child process that runs body (over and over, if it returns) until the
// test kills it.
class RunningChild {
public:
    explicit RunningChild(const std::function<void()>& body);
    // Kills the child when the test did not.
    ~RunningChild();
    RunningChild(const RunningChild&) = delete;
    RunningChild& operator=(const RunningChild&) = delete;
    // End the child at once (as a power cut or the task manager would) and
    // wait for it.
    void Kill();

private:
    int m_process = -1;
};

// True when this process may act as another user and give files away.
bool RunsAsRoot();

// The number of the user this process runs as.
unsigned CurrentUser();

// The unprivileged user that root acts as.
inline constexpr unsigned OtherUser = 65534;

// In a child: act as OtherUser from now on. False when this process may not.
bool BecomeOtherUser();

// In a child: let no file grow past bytes; a write past it then fails with
// the system's "file too large" instead of ending the process.
void LimitFileSize(std::uint64_t bytes);

} // namespace notarion::testing
