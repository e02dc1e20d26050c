#include "generate/OutputFolderLock.h"

#include "text/Cp1250.h"

#include <thread>

namespace notarion {
namespace {

// How often a waiting set tries the lock again.
constexpr std::chrono::milliseconds RetryInterval{50};

} // namespace

OutputFolderLock::OutputFolderLock(const std::string& folder, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    // A folder that cannot be opened is no one's to wait for; the set then
    // fails on its first document and says why.
    while (m_lock.TryLock(folder) == FolderLockResult::HeldElsewhere) {
        if (std::chrono::steady_clock::now() >= deadline) {
            m_busy = true;
            return;
        }
        std::this_thread::sleep_for(RetryInterval);
    }
}

const std::u16string& FolderBusyMessage() {
    static const std::u16string text =
        Utf8ToUtf16("Dokumenty w tym folderze tworzy właśnie inny proces.");
    return text;
}

} // namespace notarion
