#pragma once

// One holder at a time for a folder. The system drops the lock when its
// holder ends, a kill included, so a stale lock never blocks the folder; and
// nothing the user would see is created in the folder for it (Linux: the
// system's advisory lock on the folder itself; Windows: a handle on the
// folder that shares no write access, or a hidden lock file the holder owns).

#include <memory>
#include <string_view>

namespace notarion {

// What one attempt at a folder's lock found.
enum class FolderLockResult {
    // The lock is this holder's until it is released or destroyed.
    Locked,
    // Another holder has it: another process, or another FolderLock here.
    HeldElsewhere,
    // The folder cannot be opened, or its file system offers no lock (some
    // network shares).
    Unavailable,
};

class FolderLock {
public:
    FolderLock();
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Try once, without waiting, to lock the folder (cp1250 path); a lock
    // this holder had is released first. Never fails otherwise.
    FolderLockResult TryLock(std::string_view folder);
    // Let another holder have the folder.
    void Release();

private:
    struct Held;
    std::unique_ptr<Held> m_held;
};

} // namespace notarion
