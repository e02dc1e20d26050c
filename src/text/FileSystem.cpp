#include "text/FileSystem.h"

#include "text/Cp1250.h"
#include "text/Failure.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace notarion {
namespace fs = std::filesystem;

namespace {

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// The path as the system takes it; an ASCII path is the same text in both
// encodings and needs no conversion.
std::string NativePath(std::string_view cp1250Path) {
    return IsAscii(cp1250Path) ? std::string(cp1250Path) : Cp1250ToUtf8(cp1250Path);
}

// As many links in a row as the kernel itself follows before giving up.
constexpr int MaxLinkHops = 40;
// Attempts at a fresh random temporary name before the write is given up.
constexpr int NameAttempts = 16;

// Closes the descriptor it holds when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    void Reset(int fd) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int Get() const { return m_fd; }
    // Give the descriptor away; closing it is then the taker's work.
    int Release() { return std::exchange(m_fd, -1); }
    bool Valid() const { return m_fd >= 0; }
    // Close now and report the error a deferred write may only show here.
    int Close() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// The cause names the file and keeps the system's error number, so that a
// front end can say why the file could not be written.
[[noreturn]] void Fail(const std::string& what, const fs::path& path, int error) {
    throw Failure(what + " " + path.string() + ": " + std::strerror(error),
                  {FailureKind::General, TextFromPath(path), {}, {}, error});
}

// The path a write lands on: a link is followed to the file it names, so
// that the file itself is replaced and the link stays a link.
fs::path FollowLinks(fs::path path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)) || error)
            return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    Fail("cannot write", path, ELOOP);
}

// Sixteen hexadecimal digits from the kernel's random source: a name another
// user cannot guess and plant a link under beforehand.
std::string RandomName(const std::string& base) {
    unsigned char bytes[8];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            Fail("no random source for a temporary name of", base, errno);
        got += static_cast<std::size_t>(n);
    }
    static constexpr char Digits[] = "0123456789abcdef";
    std::string name = "." + base + ".";
    for (const unsigned char b : bytes) {
        name += Digits[b >> 4];
        name += Digits[b & 15];
    }
    return name + ".tmp";
}

// Where a write goes: the open folder, the name in it and what stands there now.
struct WriteTarget {
    fs::path Path;
    Descriptor Folder{-1};
    std::string Name;
    bool Exists = false;
    struct stat Existing {};
};

void OpenTarget(WriteTarget& target, std::string_view path) {
    target.Path = FollowLinks(PathFromText(path));
    target.Name = target.Path.filename().string();
    const fs::path folder = target.Path.has_parent_path() ? target.Path.parent_path() : ".";
    if (target.Name.empty() || target.Name == "." || target.Name == "..")
        Fail("cannot write", target.Path, EISDIR);
    target.Folder.Reset(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!target.Folder.Valid())
        Fail("cannot create", target.Path, errno);
    target.Exists = ::fstatat(target.Folder.Get(), target.Name.c_str(), &target.Existing,
                              AT_SYMLINK_NOFOLLOW) == 0;
    // A pipe, a device or a folder is not replaced by a file: the user named
    // something that is not a document.
    if (target.Exists && !S_ISREG(target.Existing.st_mode))
        Fail("not a regular file:", target.Path,
             S_ISDIR(target.Existing.st_mode) ? EISDIR : EINVAL);
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

// Give the complete new file the replaced file's permissions and owner, and
// flush it to the disk. Returns 0 or the error.
int FinishFile(int fd, const WriteTarget& target) {
    if (target.Exists) {
        // Only the owner can give the file back to its owner; for anyone else
        // the new file is their own, as any file they write.
        if (::fchown(fd, target.Existing.st_uid, target.Existing.st_gid) != 0)
            static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), target.Existing.st_gid));
        if (::fchmod(fd, target.Existing.st_mode & 07777) != 0)
            return errno;
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

// A fresh random name in the target's folder, created, never opened when
// something (a link included) already has it. Private until it is complete;
// FinishFile then gives the final permissions.
int CreateNamed(const WriteTarget& target, std::string& name) {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        name = RandomName(target.Name);
        const int fd = ::openat(target.Folder.Get(), name.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                target.Exists ? 0600 : 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            Fail("cannot create", target.Path, errno);
    }
    name.clear();
    Fail("cannot create", target.Path, EEXIST);
}

// Copy the whole content of one open file into another. Returns 0 or the error.
int CopyContent(int from, int to) {
    char chunk[65536];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(from, chunk, sizeof chunk, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        if (const int error = WriteAll(to, {chunk, static_cast<std::size_t>(got)}))
            return error;
        offset += got;
    }
}

} // namespace

// The target, the file being written and, for a named one, its name.
struct AtomicFileWriter::Target : WriteTarget {
    Descriptor File{-1};
    // Empty while the file has no name (an unnamed file vanishes by itself).
    std::string Temporary;
    bool Unnamed = false;
    bool Committed = false;

    // Move the complete temporary name over the target.
    void Publish() {
        if (::renameat(Folder.Get(), Temporary.c_str(), Folder.Get(), Name.c_str()) != 0)
            Fail("cannot write", Path, errno);
        Temporary.clear();
    }

    // Name the complete unnamed file; no name is ever opened. False when the
    // system refuses to name it by its descriptor (nothing was named then).
    bool LinkUnnamed() {
        const std::string self = "/proc/self/fd/" + std::to_string(File.Get());
        const auto link = [&](const char* name) {
            if (::linkat(AT_FDCWD, self.c_str(), Folder.Get(), name, AT_SYMLINK_FOLLOW) == 0)
                return 0;
            if (errno == EEXIST)
                return EEXIST;
            // Without /proc only a privileged process can name the file by its descriptor.
            return ::linkat(File.Get(), "", Folder.Get(), name, AT_EMPTY_PATH) == 0 ? 0 : errno;
        };
        // A new file gets its name directly; the name can never be a stranger's link.
        if (!Exists) {
            const int error = link(Name.c_str());
            if (error == 0)
                return true;
            if (error != EEXIST)
                return false;
        }
        for (int attempt = 0; attempt < NameAttempts; ++attempt) {
            const std::string name = RandomName(Name);
            const int error = link(name.c_str());
            if (error == EEXIST)
                continue;
            if (error != 0)
                return false;
            Temporary = name;
            Publish();
            return true;
        }
        Fail("cannot write", Path, EEXIST);
    }

    // Where an unnamed file cannot be named, its bytes move to a named one.
    void MoveToNamedFile() {
        Descriptor named(CreateNamed(*this, Temporary));
        if (const int error = CopyContent(File.Get(), named.Get()))
            Fail("cannot write", Path, error);
        File.Reset(named.Release());
        Unnamed = false;
    }
};

fs::path PathFromText(std::string_view cp1250Path) {
    return fs::path(Cp1250ToUtf8(cp1250Path));
}

std::string TextFromPath(const fs::path& path) {
    return Utf8ToCp1250(path.string());
}

bool NameSurvivesConversion(const fs::path& name) {
    return PathFromText(TextFromPath(name)) == name;
}

bool FileExists(std::string_view path) {
    std::error_code error;
    const auto status = fs::status(PathFromText(path), error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

bool DirectoryExists(std::string_view path) {
    std::error_code error;
    return fs::is_directory(PathFromText(path), error);
}

bool CreateSingleDirectory(std::string_view path) {
    const std::string native = NativePath(path);
    return ::mkdir(native.c_str(), 0777) == 0;
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

FileStatus StatusFrom(const struct stat& info) {
    FileStatus status;
    status.Device = static_cast<std::uint64_t>(info.st_dev);
    status.Inode = static_cast<std::uint64_t>(info.st_ino);
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
    if (::stat(NativePath(path).c_str(), &info) != 0)
        return std::nullopt;
    return StatusFrom(info);
}

std::optional<std::string> ReadFileIfPresent(std::string_view path, FileStatus* status) {
    std::string bytes;
    if (!ReadFileIfPresent(path, bytes, status))
        return std::nullopt;
    return bytes;
}

bool ReadFileIfPresent(std::string_view path, std::string& bytes, FileStatus* status) {
    const std::string native = NativePath(path);
    Descriptor fd(OpenForReading(native));
    if (!fd.Valid()) {
        const int error = errno;
        if (LeadsToNothing(native, error))
            return false;
        throw Failure("cannot open " + native + ": " + std::strerror(error));
    }
    ReadOpened(fd, native, bytes, status);
    return true;
}

std::string ReadWholeFile(std::string_view path) {
    const std::string native = NativePath(path);
    Descriptor fd(OpenForReading(native));
    if (!fd.Valid())
        throw Failure("cannot open " + native + ": " + std::strerror(errno));
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
            throw Failure("cannot read " + native + ": " + std::strerror(error));
    }
}

void ReadOpened(Descriptor& fd, const std::string& native, std::string& bytes, FileStatus* status) {
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        throw Failure("cannot read " + native + ": " + std::strerror(errno));
    if (status != nullptr)
        *status = StatusFrom(info);
    if (!S_ISREG(info.st_mode))
        throw Failure("not a regular file: " + native);
    if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > MaxReadableFileSize)
        throw Failure("larger than any report or page: " + native);
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
            throw Failure("larger than any report or page: " + native);
        bytes.resize(std::min<std::size_t>(bytes.size() * 2, MaxReadableFileSize + 1));
    }
    bytes.resize(done);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string_view path) : m_target(new Target) {
    Target& target = *m_target;
    OpenTarget(target, path);
    // Read and write: where the file cannot be named at the end, its bytes are copied.
    target.File.Reset(::openat(target.Folder.Get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    target.Unnamed = target.File.Valid();
    // File systems without unnamed files get a fresh random name.
    if (!target.Unnamed)
        target.File.Reset(CreateNamed(target, target.Temporary));
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!m_target->Committed && !m_target->Temporary.empty())
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
    if (target.Unnamed) {
        if (const int error = FinishFile(target.File.Get(), target))
            Fail("cannot write", target.Path, error);
        if (!target.LinkUnnamed())
            target.MoveToNamedFile();
    }
    if (!target.Unnamed) {
        int error = FinishFile(target.File.Get(), target);
        if (const int closing = target.File.Close(); error == 0)
            error = closing;
        if (error != 0)
            Fail("cannot write", target.Path, error);
        target.Publish();
    }
    target.Committed = true;
    // The name is durable only once the folder that holds it is.
    if (::fsync(target.Folder.Get()) != 0 && errno != EINVAL)
        Fail("cannot write", target.Path, errno);
}

void WriteWholeFile(std::string_view path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    writer.Append(bytes);
    writer.Commit();
}

bool LiesWithin(std::string_view path, std::string_view folder) {
    std::error_code error;
    const fs::path file = fs::canonical(PathFromText(path), error);
    if (error)
        return false;
    const fs::path root = fs::canonical(PathFromText(folder.empty() ? "." : folder), error);
    if (error)
        return false;
    auto f = file.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++f) {
        if (f == file.end() || *f != *r)
            return false;
    }
    return f != file.end();
}

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

std::vector<ListedName> ListFileNames(std::string_view folder) {
    std::vector<ListedName> names;
    DIR* dir = ::opendir(Cp1250ToUtf8(folder).c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsRegularEntry(dir, *entry))
            continue;
        const std::string_view name = entry->d_name;
        // An ASCII name is the same text in both encodings.
        if (IsAscii(name))
            names.push_back({std::string(name), true});
        else
            names.push_back({TextFromPath(name), NameSurvivesConversion(name)});
    }
    ::closedir(dir);
    return names;
}

std::string FolderOf(std::string_view path) {
    const auto slash = path.find_last_of(PathSeparator);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

} // namespace notarion
