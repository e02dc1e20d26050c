// The file-system boundary on Windows: wide-character calls on UTF-16 paths
// made from the program's Windows-1250 text through our own table, never the
// system's ANSI code page.

#include "system/FileSystem.h"
#include "system/WindowsFile.h"

#include "text/Cp1250.h"
#include "text/Failure.h"

#include <algorithm>

namespace notarion {
namespace fs = std::filesystem;

const char PathSeparator = '\\';

std::wstring NativePath(std::string_view cp1250Path) {
    const std::u16string wide = Cp1250ToUtf16(cp1250Path);
    return {wide.begin(), wide.end()};
}

namespace {

std::u16string Utf16Of(const std::wstring& native) {
    return {native.begin(), native.end()};
}

// What the program shows of a path in a developer's description (UTF-8).
std::string Shown(const std::wstring& native) {
    return Utf16ToUtf8(Utf16Of(native));
}

} // namespace

void Fail(const std::string& what, const fs::path& path, DWORD error) {
    throw Failure(what + " " + Shown(path.native()) + ": system error " + std::to_string(error),
                  {FailureKind::General, TextFromPath(path), {}, {}, static_cast<int>(error)});
}

fs::path PathFromText(std::string_view cp1250Path) {
    return fs::path(NativePath(cp1250Path));
}

std::string TextFromPath(const fs::path& path) {
    return Utf16ToCp1250(Utf16Of(path.native()));
}

Result<> CreateSingleDirectory(std::string_view path) {
    if (::CreateDirectoryW(NativePath(path).c_str(), nullptr) != 0)
        return {};
    return FailureCause{
        FailureKind::General, std::string(path), {}, {}, static_cast<int>(::GetLastError())};
}

bool RemoveEmptyDirectory(std::string_view path) {
    return ::RemoveDirectoryW(NativePath(path).c_str()) != 0;
}

namespace {

// Open for reading, sharing everything, so that a report open in another
// program is still read. A named pipe or a device opens at once too; what was
// opened is looked at before a byte is read.
HANDLE OpenForReading(const std::wstring& native) {
    return ::CreateFileW(native.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// A file that cannot be read, with the system's reason (0 when it gave none:
// not a regular file, too large).
[[noreturn]] void FailToRead(const std::string& what, const std::wstring& native, DWORD error) {
    throw Failure(what + " " + Shown(native) +
                      (error != 0 ? ": system error " + std::to_string(error) : std::string()),
                  {FailureKind::UnreadableFile, TextFromPath(fs::path(native)), {}, {},
                   static_cast<int>(error)});
}

// True when an open failed because the path leads to nothing, as opposed to
// something that exists and refuses to be read.
bool LeadsToNothing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME ||
           error == ERROR_DIRECTORY || error == ERROR_FILENAME_EXCED_RANGE ||
           error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME;
}

// Ticks of 100 ns since 1601 as seconds and nanoseconds.
void SplitTime(const LARGE_INTEGER& ticks, std::int64_t& seconds, std::int64_t& nanoseconds) {
    seconds = ticks.QuadPart / 10'000'000;
    nanoseconds = ticks.QuadPart % 10'000'000 * 100;
}

// The status of an open file; none when the system will not tell.
std::optional<FileStatus> StatusOfOpened(HANDLE file, bool* isDirectory = nullptr) {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO times{};
    if (!::GetFileInformationByHandle(file, &info) ||
        !::GetFileInformationByHandleEx(file, FileBasicInfo, &times, sizeof times))
        return std::nullopt;
    FileStatus status;
    status.Volume = info.dwVolumeSerialNumber;
    status.FileId = static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    status.Size = static_cast<std::int64_t>(static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 |
                                            info.nFileSizeLow);
    SplitTime(times.LastWriteTime, status.ModifiedSeconds, status.ModifiedNanoseconds);
    SplitTime(times.ChangeTime, status.ChangedSeconds, status.ChangedNanoseconds);
    if (isDirectory != nullptr)
        *isDirectory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return status;
}

void ReadOpened(const Handle& file, const std::wstring& native, std::string& bytes,
                FileStatus* status) {
    // A pipe, a console or another device is never read: it may never end.
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK)
        FailToRead("not a regular file:", native, 0);
    bool isDirectory = false;
    const std::optional<FileStatus> seen = StatusOfOpened(file.Get(), &isDirectory);
    if (!seen)
        FailToRead("cannot read", native, ::GetLastError());
    if (isDirectory)
        FailToRead("not a regular file:", native, kFolderInTheWay);
    if (status != nullptr)
        *status = *seen;
    if (seen->Size < 0 || static_cast<std::uint64_t>(seen->Size) > MaxReadableFileSize)
        FailToRead("larger than any report or page:", native, 0);
    // Room for one byte more than the file had: a file that grew meanwhile
    // fills the room and is read on to its end, under the same limit.
    bytes.assign(static_cast<std::size_t>(seen->Size) + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        DWORD got = 0;
        const auto room = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::ReadFile(file.Get(), bytes.data() + done, room, &got, nullptr))
            FailToRead("cannot read", native, ::GetLastError());
        done += got;
        if (got == 0)
            break;
        if (done < bytes.size())
            continue;
        if (bytes.size() > MaxReadableFileSize)
            FailToRead("larger than any report or page:", native, 0);
        bytes.resize(std::min<std::size_t>(bytes.size() * 2, MaxReadableFileSize + 1));
    }
    bytes.resize(done);
}

} // namespace

std::optional<FileStatus> StatusOfFile(std::string_view path) {
    // No access to the content is asked, so a file another program holds
    // open without sharing still tells its status; folders open too.
    const Handle file(::CreateFileW(NativePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid())
        return std::nullopt;
    return StatusOfOpened(file.Get());
}

bool ReadFileIfPresent(std::string_view path, std::string& bytes, FileStatus* status) {
    const std::wstring native = NativePath(path);
    const Handle file(OpenForReading(native));
    if (!file.Valid()) {
        const DWORD error = ::GetLastError();
        if (LeadsToNothing(error))
            return false;
        FailToRead("cannot open", native, error);
    }
    ReadOpened(file, native, bytes, status);
    return true;
}

std::string ReadWholeFile(std::string_view path) {
    const std::wstring native = NativePath(path);
    const Handle file(OpenForReading(native));
    if (!file.Valid())
        FailToRead("cannot open", native, ::GetLastError());
    std::string bytes;
    ReadOpened(file, native, bytes, nullptr);
    return bytes;
}

bool IsWriteProtected(std::string_view path) {
    // The read-only attribute protects a file from every user, an
    // administrator too, as Explorer's "Tylko do odczytu" box says.
    const DWORD attributes = ::GetFileAttributesW(NativePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::vector<ListedName> ListFileNames(std::string_view folder) {
    std::vector<ListedName> names;
    const std::wstring pattern = NativePath(folder.empty() ? "." : folder) + L"\\*";
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        // Folders and devices are left out, as on every platform.
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
            continue;
        const fs::path name(entry.cFileName);
        const bool usable = NameSurvivesConversion(name);
        names.push_back({TextFromPath(name), usable,
                         usable ? std::string() : Shown(name.native())});
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return names;
}

} // namespace notarion
