#include "support/ChildProcess.h"

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace notarion::testing {

ChildOutcome RunInChild(const std::function<int(std::string& text)>& body,
                        std::chrono::seconds timeout) {
    int channel[2];
    if (::pipe(channel) != 0)
        return {ChildEnd::Crashed, -1, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(static_cast<unsigned>(timeout.count()));
        int code = 0;
        std::string text;
        try {
            code = body(text);
        } catch (...) {
            ::_exit(99);
        }
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t put = ::write(channel[1], text.data() + done, text.size() - done);
            if (put <= 0)
                break;
            done += static_cast<std::size_t>(put);
        }
        ::_exit(code);
    }
    ::close(channel[1]);
    ChildOutcome outcome;
    char chunk[256];
    for (ssize_t got; (got = ::read(channel[0], chunk, sizeof chunk)) > 0;)
        outcome.Text.append(chunk, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return outcome;
    if (WIFSIGNALED(status))
        outcome.End = WTERMSIG(status) == SIGALRM ? ChildEnd::TimedOut : ChildEnd::Crashed;
    else if (WIFEXITED(status) && WEXITSTATUS(status) != 99) {
        outcome.End = ChildEnd::Exited;
        outcome.Code = WEXITSTATUS(status);
    }
    return outcome;
}

RunningChild::RunningChild(const std::function<void()>& body) : m_process(::fork()) {
    if (m_process == 0) {
        for (;;)
            body();
    }
}

RunningChild::~RunningChild() {
    Kill();
}

void RunningChild::Kill() {
    if (m_process <= 0)
        return;
    ::kill(m_process, SIGKILL);
    ::waitpid(m_process, nullptr, 0);
    m_process = -1;
}

bool RunsAsRoot() {
    return ::geteuid() == 0;
}

unsigned CurrentUser() {
    return ::geteuid();
}

bool BecomeOtherUser() {
    return RunsAsRoot() && ::setgid(OtherUser) == 0 && ::setuid(OtherUser) == 0;
}

void LimitFileSize(std::uint64_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

std::string TextFromChild(const std::function<void()>& limit,
                          const std::function<std::string()>& work) {
    return RunInChild([&](std::string& text) {
               limit();
               text = work();
               return 0;
           }).Text;
}

} // namespace notarion::testing
