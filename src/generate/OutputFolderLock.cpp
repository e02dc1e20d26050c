#include "generate/OutputFolderLock.h"

#include "text/Cp1250.h"
#include "text/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace notarion {
namespace {

// How often a waiting set tries the lock again.
constexpr std::chrono::milliseconds RetryInterval{50};

} // namespace

OutputFolderLock::OutputFolderLock(const std::string& folder, std::chrono::milliseconds wait) {
    m_fd = ::open(PathFromText(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A folder that cannot be opened is no one's to wait for; the set then
    // fails on its first document and says why.
    if (m_fd < 0)
        return;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
            return;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            break; // no locks on this file system
        if (std::chrono::steady_clock::now() >= deadline) {
            m_busy = true;
            break;
        }
        std::this_thread::sleep_for(RetryInterval);
    }
    ::close(m_fd);
    m_fd = -1;
}

OutputFolderLock::~OutputFolderLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

const std::u16string& FolderBusyMessage() {
    static const std::u16string text =
        Utf8ToUtf16("Dokumenty w tym folderze tworzy właśnie inny proces.");
    return text;
}

} // namespace notarion
