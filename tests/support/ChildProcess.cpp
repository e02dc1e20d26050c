#include "support/ChildProcess.h"

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace notarion::testing {

std::string TextFromChild(const std::function<void()>& limit,
                          const std::function<std::string()>& work) {
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        limit();
        const std::string text = work();
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t put = ::write(channel[1], text.data() + done, text.size() - done);
            if (put <= 0)
                break;
            done += static_cast<std::size_t>(put);
        }
        // No exit handlers: the child shares the parent's temporary folders.
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string text;
    char chunk[256];
    for (ssize_t got; (got = ::read(channel[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(got));
    ::close(channel[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    return text;
}

void LimitFileSize(std::uint64_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace notarion::testing
