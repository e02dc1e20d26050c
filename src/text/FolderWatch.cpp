#include "text/FolderWatch.h"

#include "text/Cp1250.h"

#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>

namespace notarion {
namespace {

// Everything that can make a name in the folder stand for other bytes, and
// the folder itself going away.
constexpr std::uint32_t kNotices = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                   IN_ONLYDIR;

// File systems on which every change passes through this computer's kernel.
// Network shares and user-space file systems may change behind its back.
bool OnLocalDisk(const std::string& native) {
    struct statfs info {};
    if (::statfs(native.c_str(), &info) != 0)
        return false;
    constexpr std::array<unsigned long, 13> local = {
        0xEF53,     // ext2, ext3, ext4
        0x58465342, // xfs
        0x9123683E, // btrfs
        0x01021994, // tmpfs
        0xF2F52010, // f2fs
        0x4d44,     // vfat
        0x2011BAB0, // exfat
        0x7366746e, // ntfs3
        0x52654973, // reiserfs
        0x3153464a, // jfs
        0x2FC12FC1, // zfs
        0x858458f6, // ramfs
        0x794c7630, // overlay, as containers use
    };
    return std::ranges::find(local, static_cast<unsigned long>(info.f_type)) != local.end();
}

// What tells one folder from another: its device and inode. Its times
// change with every file written in it.
std::optional<FileStatus> FolderIdentity(std::string_view folder) {
    const std::optional<FileStatus> status = StatusOfFile(folder);
    if (!status)
        return std::nullopt;
    FileStatus identity;
    identity.Device = status->Device;
    identity.Inode = status->Inode;
    return identity;
}

// Names are matched without regard to letter case: on a disk that ignores it
// (a memory stick's FAT), a path may name a file in other letters than the
// folder's own, and a notice must still reach it. On other disks this only
// counts a file changed when another of the same letters was.
std::u16string NameKey(std::string_view cp1250Name) {
    return UpperCase(Cp1250ToUtf16(cp1250Name));
}

} // namespace

FolderWatch::FolderWatch() : m_notices(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderWatch::~FolderWatch() {
    if (m_notices >= 0)
        ::close(m_notices);
}

int FolderWatch::Watch(std::string_view folder, bool* started) {
    if (started != nullptr)
        *started = false;
    // A folder asked for again answers from its record, watched or not, so
    // the files of an unwatched folder cost no second attempt each.
    const auto answer = [this](std::size_t index) {
        m_last = static_cast<int>(index);
        return m_folders[index].Lost ? -1 : m_last;
    };
    if (m_last >= 0 && m_folders[static_cast<std::size_t>(m_last)].Path == folder)
        return answer(static_cast<std::size_t>(m_last));
    for (std::size_t i = 0; i < m_folders.size(); ++i)
        if (m_folders[i].Path == folder)
            return answer(i);
    m_folders.push_back({std::string(folder), -1, {}, true, {}});
    Folder& added = m_folders.back();
    const int descriptor = StartWatching(added);
    if (descriptor < 0)
        return answer(m_folders.size() - 1);
    added.Descriptor = descriptor;
    added.Lost = false;
    if (started != nullptr)
        *started = true;
    return answer(m_folders.size() - 1);
}

int FolderWatch::StartWatching(Folder& folder) {
    if (m_notices < 0)
        return -1;
    const std::string native = PathFromText(folder.Path).string();
    // The folder's identity first, the watch second, the identity again: a
    // folder swapped meanwhile is not taken for the one watched.
    const std::optional<FileStatus> before = FolderIdentity(folder.Path);
    if (!before || !OnLocalDisk(native))
        return -1;
    const int descriptor = ::inotify_add_watch(m_notices, native.c_str(), kNotices);
    if (descriptor < 0)
        return -1;
    // The same folder under a second path shares the first one's watch;
    // only the first path is looked after, so the second is not watched.
    if (FolderOf(descriptor) != nullptr)
        return -1;
    if (FolderIdentity(folder.Path) != before) {
        ::inotify_rm_watch(m_notices, descriptor);
        return -1;
    }
    folder.Identity = *before;
    return descriptor;
}

FolderWatch::Folder* FolderWatch::FolderOf(int descriptor) {
    for (Folder& folder : m_folders)
        if (folder.Descriptor == descriptor && descriptor >= 0)
            return &folder;
    return nullptr;
}

void FolderWatch::LoseEverything() {
    for (Folder& folder : m_folders)
        folder.Lost = true;
}

void FolderWatch::Update() {
    if (m_notices < 0 || m_folders.empty())
        return;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t got = ::read(m_notices, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            // Nothing more (EAGAIN) is the usual end; any other error means
            // notices may be missing.
            if (got == 0 || errno != EAGAIN)
                LoseEverything();
            return;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* notice = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + notice->len);
            if ((notice->mask & IN_Q_OVERFLOW) != 0) {
                LoseEverything();
                continue;
            }
            Folder* folder = FolderOf(notice->wd);
            if (folder == nullptr || folder->Lost)
                continue;
            if ((notice->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) != 0)
                folder->Lost = true;
            else if (notice->len > 0)
                folder->Changed.insert(NameKey(TextFromPath(std::string(notice->name))));
        }
    }
}

void FolderWatch::CheckPath(int folder) {
    Folder& watched = m_folders.at(static_cast<std::size_t>(folder));
    if (!watched.Lost && FolderIdentity(watched.Path) != watched.Identity)
        watched.Lost = true;
}

bool FolderWatch::Unchanged(int folder, std::string_view name) const {
    if (folder < 0 || static_cast<std::size_t>(folder) >= m_folders.size())
        return false;
    const Folder& watched = m_folders[static_cast<std::size_t>(folder)];
    return !watched.Lost && (watched.Changed.empty() || !watched.Changed.contains(NameKey(name)));
}

} // namespace notarion
