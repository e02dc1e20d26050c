#pragma once

// The one boundary between the program and the operating system. Each
// concern has its own platform-neutral header here; behind each header lies
// one implementation file per platform (…Posix.cpp, …Windows.cpp) that CMake
// chooses, and the rest of the program never sees a descriptor, a handle or
// a platform's error number other than as SystemError:
//
//   FileSystem.h    paths, reading files, a file's status, folder listings
//   AtomicFile.h    the one way a file is written: whole or not at all
//   FolderLock.h    one process at a time in a folder
//   UserFolders.h   the user's own data folder
//   OwnProgram.h    this program's own path; running a companion program
//   SystemReason.h  the system's reason for a failure, in Polish
//   Terminal.h      the command line's arguments and output, in UTF-8
//
// Paths in the program are Windows-1250 text. The file system speaks UTF-8
// on Linux and UTF-16 on Windows; these functions convert a path in one place
// per platform.

#include "system/ReadLimits.h"
#include "text/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// The separator placed between a folder and a name ('/' on Linux, '\' on
// Windows; the names themselves stay as the system gives them).
extern const char PathSeparator;

// True for a character that parts a path's names: '/', and on Windows '\'
// as well.
bool IsPathSeparator(char c);

// A cp1250 path text as a file-system path.
std::filesystem::path PathFromText(std::string_view cp1250Path);

// A file-system path as cp1250 text (characters outside the code page become '?').
std::string TextFromPath(const std::filesystem::path& path);

// True when the name comes back unchanged from its cp1250 text, so that the
// text opens this very file and no other.
bool NameSurvivesConversion(const std::filesystem::path& name);

// True when something that is not a directory exists at the path.
bool FileExists(std::string_view path);

// True when a directory exists at the path.
bool DirectoryExists(std::string_view path);

// Create one directory (no parents). When it could not be made, returns the
// cause: the path and the system's reason (no permission, a file of that name).
Result<> CreateSingleDirectory(std::string_view path);

// Remove a directory only when it is empty. Returns false when it could not
// be removed (not empty, missing, no permission).
bool RemoveEmptyDirectory(std::string_view path);

// Read the whole file. Throws Failure when the file cannot be opened or read
// (missing, no permission), is not a regular file (a directory, a named pipe,
// a device) or is larger than MaxReadableFileSize. Never blocks on a pipe.
std::string ReadWholeFile(std::string_view path);

// What the system tells of a file: enough to tell one version of it from
// another without reading it. Only compared, never shown: each platform fills
// it from its own status (a Linux inode, a Windows file index).
struct FileStatus {
    // The disk (device, volume) the file lies on and its number there.
    std::uint64_t Volume = 0;
    std::uint64_t FileId = 0;
    std::int64_t Size = 0;
    // When the content was last written.
    std::int64_t ModifiedSeconds = 0;
    std::int64_t ModifiedNanoseconds = 0;
    // When the file last changed in any way (content, attributes, names).
    std::int64_t ChangedSeconds = 0;
    std::int64_t ChangedNanoseconds = 0;
    bool operator==(const FileStatus&) const = default;
};

// The status of the file at path (links followed); none when it cannot be
// examined.
std::optional<FileStatus> StatusOfFile(std::string_view path);

// ReadWholeFile, except that a path at which nothing can be found (no such
// file, a dangling link, a folder on the way that is missing or cannot be
// searched) gives no bytes instead of a Failure. One open, no separate look.
// When status is given and the file was opened, it receives the status of
// the very file read, taken before its first byte.
std::optional<std::string> ReadFileIfPresent(std::string_view path, FileStatus* status = nullptr);
// The same into bytes, whose room is used again: a caller reading many files
// one after another asks the heap for a buffer once. False when nothing is
// at path (bytes then unchanged).
bool ReadFileIfPresent(std::string_view path, std::string& bytes, FileStatus* status);

// True when a file exists at path that its permissions protect against
// writing: no one may write it (the read-only attribute; checked on the bits,
// so that it holds for an administrator too), or this user may not. An
// AtomicFileWriter replaces such a file all the same, so a writer that
// should respect it asks first.
bool IsWriteProtected(std::string_view path);

// True when the file at path, links resolved, lies inside the folder (links
// resolved too). False when either does not exist.
bool LiesWithin(std::string_view path, std::string_view folder);

// One entry of a folder listing: its name as cp1250 text, and whether that
// text leads back to this entry (false when the code page lacks some of its
// letters, so that the text names another file or none).
struct ListedName {
    std::string Text;
    bool Usable = true;
    // An unusable name as the file system holds it, in UTF-8 (bytes that are
    // not UTF-8 kept as they are), so that the file can be named as it is
    // and not as Text, which may be another file's name. Empty when usable.
    std::string Shown;
};

// The names (not paths) of the entries of a directory that are regular files
// or links to them, in the directory's own order. Empty when the folder cannot be read.
std::vector<ListedName> ListFileNames(std::string_view folder);

// True when the path does not start from the working folder: "/…" on Linux;
// a drive ("C:\…"), a share ("\\serwer\…") or the drive's root ("\…") on
// Windows, which takes '/' for '\' as well.
bool IsRootedPath(std::string_view path);

// The folder part of a path: everything before its last separator; empty when
// there is none.
std::string FolderOf(std::string_view path);

} // namespace notarion
