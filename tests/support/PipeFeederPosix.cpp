#include "support/PipeFeeder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace notarion::testing {

PipeFeeder::PipeFeeder(std::filesystem::path path, std::string bytes)
    : m_path(std::move(path)), m_bytes(std::move(bytes)) {
    if (::mkfifo(m_path.c_str(), 0600) != 0)
        throw std::runtime_error("cannot make the pipe " + m_path.string());
    m_writer = std::thread([this] {
        // Blocks until a reader opens the other end.
        const int fd = ::open(m_path.c_str(), O_WRONLY);
        if (fd < 0) {
            m_finished = true;
            return;
        }
        if (!m_releasing)
            m_opened = true;
        std::size_t done = 0;
        while (done < m_bytes.size()) {
            const ssize_t wrote = ::write(fd, m_bytes.data() + done, m_bytes.size() - done);
            if (wrote <= 0)
                break;
            done += static_cast<std::size_t>(wrote);
        }
        ::close(fd);
        m_finished = true;
    });
}

PipeFeeder::~PipeFeeder() {
    // Meet the writer if nobody did, and read what it writes, so that it
    // neither waits for ever nor writes into a pipe without a reader. A read
    // finds the end of the file also before the writer has come; only its
    // own word tells that it is done.
    m_releasing = true;
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd >= 0) {
        char chunk[4096];
        while (!m_finished) {
            if (::read(fd, chunk, sizeof chunk) <= 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ::close(fd);
    }
    m_writer.join();
}

} // namespace notarion::testing
