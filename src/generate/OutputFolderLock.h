#pragma once

// Only one document set is written into a folder at a time. Two processes
// writing sets into one folder at once would leave documents of both sets
// side by side, each process reporting success. A set holds this lock on its
// output folder from its first document to its last; a second set waits a
// moment for it and then gives up with FolderBusyMessage().
//
// The lock is the system's advisory lock (flock) on the file LockFileName in
// the output folder; the system drops it when the holder ends, a kill
// included, so a stale lock never blocks the folder. The file stays in the
// folder after the set: removing it would let a third process lock a new
// file of that name while a second still holds the old one.

#include <chrono>
#include <string>
#include <string_view>

namespace notarion {

// The lock file in the output folder: hidden, and of no document's name.
inline constexpr std::string_view LockFileName = ".notarion.lock";

// How long a set waits for another process's set to end.
inline constexpr std::chrono::milliseconds FolderLockWait{3000};

class OutputFolderLock {
public:
    // Lock the folder (cp1250 path), waiting up to wait while another
    // process holds it. Where no lock file can be made (a read-only folder)
    // the folder itself is locked; where the file system offers no locks at
    // all the set goes ahead unlocked, as before locks existed.
    explicit OutputFolderLock(const std::string& folder,
                              std::chrono::milliseconds wait = FolderLockWait);
    ~OutputFolderLock();
    OutputFolderLock(const OutputFolderLock&) = delete;
    OutputFolderLock& operator=(const OutputFolderLock&) = delete;

    // True when another process held the folder for the whole wait; the set
    // must then not be written.
    bool Busy() const { return m_busy; }

private:
    int m_fd = -1;
    bool m_busy = false;
};

// The message of a set that found its folder busy.
const std::u16string& FolderBusyMessage();

} // namespace notarion
