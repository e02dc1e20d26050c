// The folder lock on Windows, which has no lock on a folder: a byte-range
// lock (LockFileEx) on a hidden file of the holder's own in the folder. It
// works on a network share too (the server keeps the lock), the system drops
// it when its holder ends, a kill included, and the file is deleted when the
// last handle on it closes, so nothing stays behind for the user to see.

#include "system/FolderLock.h"

#include "system/WindowsFile.h"

namespace notarion {

namespace {

constexpr std::wstring_view kLockFileName = L"\\~Notarion.blokada";

} // namespace

struct FolderLock::Held {
    Handle File;
};

FolderLock::FolderLock() = default;
FolderLock::~FolderLock() = default;

FolderLockResult FolderLock::TryLock(std::string_view folder) {
    Release();
    const DWORD attributes = ::GetFileAttributesW(NativePath(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FolderLockResult::Unavailable;
    auto held = std::make_unique<Held>();
    const std::wstring path = NativePath(folder) + std::wstring(kLockFileName);
    held->File.Reset(::CreateFileW(
        path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!held->File.Valid()) {
        // The file of a holder that is just letting go is being deleted and
        // refuses new openers for a moment: the folder is still taken.
        return ::GetLastError() == ERROR_ACCESS_DENIED &&
                       ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES
                   ? FolderLockResult::HeldElsewhere
                   : FolderLockResult::Unavailable;
    }
    OVERLAPPED whole{};
    if (!::LockFileEx(held->File.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &whole)) {
        return ::GetLastError() == ERROR_LOCK_VIOLATION ? FolderLockResult::HeldElsewhere
                                                        : FolderLockResult::Unavailable;
    }
    m_held = std::move(held);
    return FolderLockResult::Locked;
}

void FolderLock::Release() {
    m_held.reset();
}

} // namespace notarion
