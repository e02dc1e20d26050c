// The atomic write on Linux and other POSIX systems: a temporary made with
// O_EXCL | O_NOFOLLOW in the target's folder, written, flushed, renamed over
// the target, the folder flushed.

#include "system/AtomicFile.h"
#include "system/AtomicFileParts.h"
#include "system/FileSystem.h"
#include "system/PosixFile.h"

#include <cerrno>
#include <cstdint>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notarion {
namespace fs = std::filesystem;

namespace {

// Attempts at a fresh random temporary name before the write is given up.
constexpr int NameAttempts = 16;

// A number from the kernel's random source, for a name no one can guess.
std::uint64_t RandomNumber(const fs::path& target) {
    std::uint64_t value = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&value);
    std::size_t got = 0;
    while (got < sizeof value) {
        const ssize_t n = ::getrandom(bytes + got, sizeof value - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("no random source for a temporary beside", target, n < 0 ? errno : EIO);
        got += static_cast<std::size_t>(n);
    }
    return value;
}

// Write all the bytes at the descriptor's position. Returns 0 or the error.
int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return put < 0 ? errno : ENOSPC;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

// A temporary is locked by its writer from its creation to its rename: a
// temporary that can be locked is one whose writer is gone, a kill included,
// since the system drops the lock with the process.
bool TryLock(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

} // namespace

// The target, the open folder that holds it, and the temporary being written.
struct AtomicFileWriter::Target {
    fs::path Path;
    Descriptor Folder;
    std::string Name;
    bool Exists = false;
    struct stat Existing {};
    // The existing file's permissions (and, for NamedBy::User, owner) go to
    // the new file.
    bool KeepMode = false;
    bool KeepOwner = false;
    Descriptor File;
    // Empty once renamed over the target.
    std::string Temporary;
    bool Committed = false;

    void Open(std::string_view path, NamedBy namedBy);
    void RemoveLeftovers() const;
    void RemoveIfLeftover(const char* name) const;
    void CreateTemporary();
    bool StillNamed(int fd, const std::string& name) const;
    int FinishFile() const;
};

void AtomicFileWriter::Target::Open(std::string_view path, NamedBy namedBy) {
    Path = PathFromText(path);
    if (namedBy == NamedBy::User) {
        const std::optional<fs::path> followed = FollowLinks(Path);
        if (!followed)
            Fail("cannot write", Path, ELOOP);
        Path = *followed;
    }
    Name = Path.filename().string();
    if (Name.empty() || Name == "." || Name == "..")
        Fail("cannot write", Path, EISDIR);
    const fs::path folder = Path.has_parent_path() ? Path.parent_path() : ".";
    Folder.Reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!Folder.Valid())
        Fail("cannot create", Path, errno);
    Exists = ::fstatat(Folder.Get(), Name.c_str(), &Existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (!Exists)
        return;
    // A pipe, a device or a folder is not replaced by a file: that name holds
    // something that is not a document. A link at a name the program fixed is
    // replaced like a file (for a user's path, links were followed above).
    if (S_ISDIR(Existing.st_mode))
        Fail("not a regular file:", Path, EISDIR);
    if (!S_ISREG(Existing.st_mode) && !S_ISLNK(Existing.st_mode))
        Fail("not a regular file:", Path, EINVAL);
    if (S_ISREG(Existing.st_mode)) {
        // Only the user's own file lends its permissions to a file the
        // program names: another user's file there is replaced by our own.
        KeepOwner = namedBy == NamedBy::User;
        KeepMode = KeepOwner || Existing.st_uid == ::geteuid();
    }
}

void AtomicFileWriter::Target::RemoveLeftovers() const {
    // The folder's entries straight from the system into a buffer on the
    // stack: every save looks, and a listing through opendir would ask the
    // heap for a large buffer each time.
    const Descriptor listing(::openat(Folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listing.Valid())
        return;
    alignas(dirent64) char entries[8192];
    for (;;) {
        const ssize_t got = ::getdents64(listing.Get(), entries, sizeof entries);
        if (got <= 0)
            return;
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
            at += entry->d_reclen;
            if ((entry->d_type == DT_REG || entry->d_type == DT_UNKNOWN) &&
                IsTemporaryNameFor(entry->d_name, Name))
                RemoveIfLeftover(entry->d_name);
        }
    }
}

void AtomicFileWriter::Target::RemoveIfLeftover(const char* name) const {
    // Never through a link, never a pipe; a file of another user that cannot
    // be opened stays.
    const Descriptor leftover(
        ::openat(Folder.Get(), name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (leftover.Valid() && ::fstat(leftover.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
        TryLock(leftover.Get()))
        ::unlinkat(Folder.Get(), name, 0);
}

bool AtomicFileWriter::Target::StillNamed(int fd, const std::string& name) const {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 &&
           ::fstatat(Folder.Get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

void AtomicFileWriter::Target::CreateTemporary() {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string name = TemporaryNameFor(Name, RandomNumber(Path));
        // Private until complete when it takes the old file's permissions.
        File.Reset(::openat(Folder.Get(), name.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            KeepMode ? 0600 : 0666));
        if (!File.Valid()) {
            if (errno == EEXIST)
                continue;
            Fail("cannot create", Path, errno);
        }
        // Another save may have taken it for a leftover in the moment
        // between its creation and its lock.
        if (TryLock(File.Get()) && !StillNamed(File.Get(), name))
            continue;
        Temporary = name;
        return;
    }
    File.Reset(-1);
    Fail("cannot create", Path, EEXIST);
}

// Give the complete new file the kept permissions and owner, and flush it to
// the disk. Returns 0 or the error.
int AtomicFileWriter::Target::FinishFile() const {
    const int fd = File.Get();
    // Only the owner can give the file back to its owner; for anyone else the
    // new file is their own, as any file they write.
    if (KeepOwner && ::fchown(fd, Existing.st_uid, Existing.st_gid) != 0)
        static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), Existing.st_gid));
    if (KeepMode && ::fchmod(fd, Existing.st_mode & 07777) != 0)
        return errno;
    return ::fsync(fd) == 0 ? 0 : errno;
}

AtomicFileWriter::AtomicFileWriter(std::string_view path, NamedBy namedBy) : m_target(new Target) {
    Target& target = *m_target;
    target.Open(path, namedBy);
    target.RemoveLeftovers();
    target.CreateTemporary();
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_target->Temporary.empty())
        ::unlinkat(m_target->Folder.Get(), m_target->Temporary.c_str(), 0);
}

void AtomicFileWriter::Append(std::string_view bytes) {
    if (m_target->Committed)
        Fail("cannot write after saving", m_target->Path, EBADF);
    if (const int error = WriteAll(m_target->File.Get(), bytes))
        Fail("cannot write", m_target->Path, error);
}

void AtomicFileWriter::Commit() {
    Target& target = *m_target;
    if (target.Committed)
        Fail("cannot save twice", target.Path, EBADF);
    // The copy holds the lock through the rename, after the file itself was
    // closed to learn of any write the system deferred until then.
    const Descriptor lockHolder(::dup(target.File.Get()));
    int error = target.FinishFile();
    if (const int closing = target.File.Close(); error == 0)
        error = closing;
    if (error != 0)
        Fail("cannot write", target.Path, error);
    if (::renameat(target.Folder.Get(), target.Temporary.c_str(), target.Folder.Get(),
                   target.Name.c_str()) != 0)
        Fail("cannot write", target.Path, errno);
    target.Temporary.clear();
    target.Committed = true;
    // The name is durable only once the folder that holds it is.
    if (::fsync(target.Folder.Get()) != 0 && errno != EINVAL)
        Fail("cannot write", target.Path, errno);
}

} // namespace notarion
