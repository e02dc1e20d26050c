// The file-system boundary on Linux and other POSIX systems.

#include "system/FileSystem.h"
#include "system/PosixFile.h"

#include "text/Cp1250.h"
#include "text/Failure.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notarion {
namespace fs = std::filesystem;

const char PathSeparator = '/';

namespace {

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

int Descriptor::Close() {
    const int result = ::close(m_fd);
    m_fd = -1;
    return result == 0 ? 0 : errno;
}

// An ASCII path is the same text in both encodings and needs no conversion.
std::string NativePath(std::string_view cp1250Path) {
    return IsAscii(cp1250Path) ? std::string(cp1250Path) : Cp1250ToUtf8(cp1250Path);
}

namespace {

// The path as the system takes it, in a buffer of this thread's used again:
// the road converts one path per report read and one per status looked at,
// and asks the heap for none.
const std::string& ScratchNativePath(std::string_view cp1250Path) {
    thread_local std::string native;
    if (IsAscii(cp1250Path))
        native.assign(cp1250Path);
    else
        native = Cp1250ToUtf8(cp1250Path);
    return native;
}

} // namespace

void Fail(const std::string& what, const fs::path& path, int error) {
    throw Failure(what + " " + path.string() + ": " + std::strerror(error),
                  {FailureKind::General, TextFromPath(path), {}, {}, error});
}

fs::path PathFromText(std::string_view cp1250Path) {
    return fs::path(Cp1250ToUtf8(cp1250Path));
}

std::string TextFromPath(const fs::path& path) {
    return Utf8ToCp1250(path.string());
}

Result<> CreateSingleDirectory(std::string_view path) {
    const std::string native = NativePath(path);
    if (::mkdir(native.c_str(), 0777) == 0)
        return {};
    return FailureCause{FailureKind::General, std::string(path), {}, {}, errno};
}

bool RemoveEmptyDirectory(std::string_view path) {
    const std::string native = NativePath(path);
    return ::rmdir(native.c_str()) == 0;
}

namespace {

// Open for reading. Non-blocking, so that opening a named pipe returns at
// once instead of waiting for a writer; the descriptor then shows what was opened.
int OpenForReading(const std::string& native) {
    return ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

void ReadOpened(Descriptor& fd, const std::string& native, std::string& bytes,
                FileStatus* status = nullptr);

// A file that cannot be read, with the system's reason (0 when it gave none:
// not a regular file, too large).
[[noreturn]] void FailToRead(const std::string& what, const std::string& native, int error) {
    throw Failure(what + " " + native +
                      (error != 0 ? ": " + std::string(std::strerror(error)) : ""),
                  {FailureKind::UnreadableFile, TextFromPath(fs::path(native)), {}, {}, error});
}

FileStatus StatusFrom(const struct stat& info) {
    FileStatus status;
    status.Volume = static_cast<std::uint64_t>(info.st_dev);
    status.FileId = static_cast<std::uint64_t>(info.st_ino);
    status.Size = static_cast<std::int64_t>(info.st_size);
    status.ModifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    status.ModifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    status.ChangedSeconds = static_cast<std::int64_t>(info.st_ctim.tv_sec);
    status.ChangedNanoseconds = static_cast<std::int64_t>(info.st_ctim.tv_nsec);
    return status;
}

// True when an open failed because the path leads to nothing, as opposed to
// something that exists and refuses to be read.
bool LeadsToNothing(const std::string& native, int error) {
    if (error == ENOENT || error == ENOTDIR || error == ELOOP || error == ENAMETOOLONG)
        return true;
    // A file without read permission exists; a folder on the way that
    // cannot be searched hides whether it does.
    struct stat info {};
    return error == EACCES && ::stat(native.c_str(), &info) != 0;
}

} // namespace

std::optional<FileStatus> StatusOfFile(std::string_view path) {
    struct stat info {};
    if (::stat(ScratchNativePath(path).c_str(), &info) != 0)
        return std::nullopt;
    return StatusFrom(info);
}

bool ReadFileIfPresent(std::string_view path, std::string& bytes, FileStatus* status) {
    const std::string& native = ScratchNativePath(path);
    Descriptor fd(OpenForReading(native));
    if (!fd.Valid()) {
        const int error = errno;
        if (LeadsToNothing(native, error))
            return false;
        FailToRead("cannot open", native, error);
    }
    ReadOpened(fd, native, bytes, status);
    return true;
}

std::string ReadWholeFile(std::string_view path) {
    const std::string native = NativePath(path);
    Descriptor fd(OpenForReading(native));
    if (!fd.Valid())
        FailToRead("cannot open", native, errno);
    std::string bytes;
    ReadOpened(fd, native, bytes);
    return bytes;
}

namespace {

// Read up to the buffer's end from position done on. Returns the bytes read,
// 0 at the end of the file. A regular file opened without blocking reads as
// any other; should a file system still refuse to wait, the descriptor is
// made to block and the read repeated.
std::size_t ReadSome(Descriptor& fd, std::string& bytes, std::size_t done,
                     const std::string& native) {
    for (;;) {
        const ssize_t got = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        const int error = errno;
        if (error == EINTR)
            continue;
        const int flags = error == EAGAIN ? ::fcntl(fd.Get(), F_GETFL) : -1;
        if (flags < 0 || (flags & O_NONBLOCK) == 0 ||
            ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
            FailToRead("cannot read", native, error);
    }
}

void ReadOpened(Descriptor& fd, const std::string& native, std::string& bytes, FileStatus* status) {
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        FailToRead("cannot read", native, errno);
    if (status != nullptr)
        *status = StatusFrom(info);
    if (!S_ISREG(info.st_mode))
        FailToRead("not a regular file:", native, S_ISDIR(info.st_mode) ? EISDIR : 0);
    if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > MaxReadableFileSize)
        FailToRead("larger than any report or page:", native, 0);
    // Room for one byte more than the file had: a read that stops at exactly
    // the size seen has met the end without asking again, and a file that
    // grew meanwhile fills the room and is read on to its end.
    const auto seen = static_cast<std::size_t>(info.st_size);
    bytes.assign(seen + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        const std::size_t got = ReadSome(fd, bytes, done, native);
        done += got;
        if (got == 0 || (done == seen && seen != 0))
            break;
        if (done < bytes.size())
            continue;
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() > MaxReadableFileSize)
            FailToRead("larger than any report or page:", native, 0);
        bytes.resize(std::min<std::size_t>(bytes.size() * 2, MaxReadableFileSize + 1));
    }
    bytes.resize(done);
}

} // namespace

namespace {

// True when the entry is a regular file or a link to one. The listing's own
// type spares a look at every entry that is no link; devices and named pipes
// are left out, since opening one could block.
bool IsRegularEntry(DIR* dir, const dirent& entry) {
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat info {};
    return ::fstatat(::dirfd(dir), entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

} // namespace

bool IsWriteProtected(std::string_view path) {
    const std::string native = NativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           (::access(native.c_str(), W_OK) != 0 && errno == EACCES);
}

std::vector<ListedName> ListFileNames(std::string_view folder) {
    std::vector<ListedName> names;
    DIR* dir = ::opendir(NativePath(folder).c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsRegularEntry(dir, *entry))
            continue;
        const std::string_view name = entry->d_name;
        // An ASCII name is the same text in both encodings.
        if (IsAscii(name)) {
            names.push_back({std::string(name), true, {}});
        } else {
            const bool usable = NameSurvivesConversion(name);
            names.push_back(
                {TextFromPath(name), usable, usable ? std::string() : std::string(name)});
        }
    }
    ::closedir(dir);
    return names;
}

} // namespace notarion
