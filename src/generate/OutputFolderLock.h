#pragma once

// Only one document set is written into a folder at a time. Two processes
// writing sets into one folder at once would leave documents of both sets
// side by side, each process reporting success. A set holds this lock on its
// output folder from its first document to its last; a second set waits a
// moment for it and then gives up with FolderBusyMessage().
//
// The lock is the system layer's FolderLock: nothing is created in the
// folder, so no file is left beside the documents and nothing another user
// planted there is opened; a read-only folder locks as any other (its set
// then fails on its first document and says why). The system drops the lock
// when the holder ends, a kill included, so a stale lock never blocks the
// folder.

#include "system/FolderLock.h"

#include <chrono>
#include <string>

namespace notarion {

// How long a set waits for another process's set to end.
inline constexpr std::chrono::milliseconds FolderLockWait{3000};

class OutputFolderLock {
public:
    // Lock the folder (cp1250 path), waiting up to wait while another
    // process holds it. Where the folder cannot be opened or its file system
    // offers no locks on folders (some network shares) the set goes ahead
    // unlocked, as it always did there.
    explicit OutputFolderLock(const std::string& folder,
                              std::chrono::milliseconds wait = FolderLockWait);
    OutputFolderLock(const OutputFolderLock&) = delete;
    OutputFolderLock& operator=(const OutputFolderLock&) = delete;

    // True when another process held the folder for the whole wait; the set
    // must then not be written.
    bool Busy() const { return m_busy; }

private:
    FolderLock m_lock;
    bool m_busy = false;
};

// The message of a set that found its folder busy.
const std::u16string& FolderBusyMessage();

} // namespace notarion
