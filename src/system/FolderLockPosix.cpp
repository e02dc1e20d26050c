// The folder lock on Linux and other POSIX systems: the system's advisory
// lock (flock) on the folder itself, which a read-only folder takes as any
// other and which the system drops with the process.

#include "system/FolderLock.h"
#include "system/PosixFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>

namespace notarion {

struct FolderLock::Held {
    Descriptor Folder;
};

FolderLock::FolderLock() = default;
FolderLock::~FolderLock() = default;

FolderLockResult FolderLock::TryLock(std::string_view folder) {
    Release();
    auto held = std::make_unique<Held>();
    held->Folder.Reset(::open(NativePath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!held->Folder.Valid())
        return FolderLockResult::Unavailable;
    while (::flock(held->Folder.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return errno == EWOULDBLOCK ? FolderLockResult::HeldElsewhere
                                        : FolderLockResult::Unavailable;
    }
    m_held = std::move(held);
    return FolderLockResult::Locked;
}

void FolderLock::Release() {
    m_held.reset();
}

} // namespace notarion
