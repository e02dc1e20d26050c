// The atomic write on Windows: a temporary made with CREATE_NEW in the
// target's folder and shared with no one while it is written, flushed with
// FlushFileBuffers, then put in the target's place: ReplaceFileW where a
// user's file stands (it keeps that file's attributes and permissions),
// MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH
// otherwise. A kill at any moment leaves the old file whole.

#include "system/AtomicFile.h"
#include "system/AtomicFileParts.h"
#include "system/FileSystem.h"
#include "system/WindowsFile.h"

#include <algorithm>
#include <cstdint>

#include <windows.h>
#include <bcrypt.h>

namespace notarion {
namespace fs = std::filesystem;

namespace {

// Attempts at a fresh random temporary name before the write is given up.
constexpr int NameAttempts = 16;

// A number from the system's random source, for a name no one can guess.
std::uint64_t RandomNumber(const fs::path& target) {
    std::uint64_t value = 0;
    if (!BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&value), sizeof value,
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        Fail("no random source for a temporary beside", target, ERROR_GEN_FAILURE);
    return value;
}

// Why the new file could not take the target's place. Windows says "access
// denied" also when another program (Word, Excel) holds the target open
// without letting it be replaced; the user must then hear to close it there,
// not that they lack permissions.
DWORD WhyNotPlaced(const fs::path& target, DWORD error) {
    if (error != ERROR_ACCESS_DENIED)
        return error == ERROR_UNABLE_TO_REMOVE_REPLACED ? ERROR_SHARING_VIOLATION : error;
    const Handle probe(::CreateFileW(target.c_str(), DELETE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return !probe.Valid() && ::GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION
                                                                          : error;
}

} // namespace

// The target and the temporary being written.
struct AtomicFileWriter::Target {
    fs::path Path;
    fs::path Folder;
    std::wstring Name;
    // A user's own file to be replaced keeping its attributes and permissions.
    bool ReplaceKeepingFile = false;
    Handle File;
    // Empty once renamed over the target.
    fs::path Temporary;
    bool Committed = false;

    void Open(std::string_view path, NamedBy namedBy);
    void RemoveLeftovers() const;
    void CreateTemporary();
};

void AtomicFileWriter::Target::Open(std::string_view path, NamedBy namedBy) {
    Path = PathFromText(path);
    if (namedBy == NamedBy::User) {
        const std::optional<fs::path> followed = FollowLinks(Path);
        if (!followed)
            Fail("cannot write", Path, ERROR_CANT_RESOLVE_FILENAME);
        Path = *followed;
    }
    Name = Path.filename().native();
    if (Name.empty() || Name == L"." || Name == L"..")
        Fail("cannot write", Path, kFolderInTheWay);
    Folder = Path.has_parent_path() ? Path.parent_path() : fs::path(L".");
    const DWORD attributes = ::GetFileAttributesW(Path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        Fail("not a regular file:", Path, kFolderInTheWay);
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        Fail("not a regular file:", Path, ERROR_INVALID_FUNCTION);
    // A link at a name the program fixed is replaced like a file, never
    // written through (for a user's path, links were followed above).
    ReplaceKeepingFile = namedBy == NamedBy::User && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void AtomicFileWriter::Target::RemoveLeftovers() const {
    const std::wstring pattern = (Folder / (L"." + Name + L".*.tmp")).native();
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        // A temporary whose writer lives is open without sharing and refuses
        // to be deleted; one whose writer was killed is gone at once. A link
        // is deleted as a link, never followed.
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsTemporaryNameFor(entry.cFileName, Name))
            ::DeleteFileW((Folder / entry.cFileName).c_str());
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
}

void AtomicFileWriter::Target::CreateTemporary() {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const fs::path name = Folder / TemporaryNameFor(Name, RandomNumber(Path));
        // CREATE_NEW fails on anything already at the name, a link included.
        File.Reset(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!File.Valid()) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                continue;
            Fail("cannot create", Path, error);
        }
        Temporary = name;
        return;
    }
    Fail("cannot create", Path, ERROR_FILE_EXISTS);
}

AtomicFileWriter::AtomicFileWriter(std::string_view path, NamedBy namedBy) : m_target(new Target) {
    Target& target = *m_target;
    target.Open(path, namedBy);
    target.RemoveLeftovers();
    target.CreateTemporary();
}

AtomicFileWriter::~AtomicFileWriter() {
    m_target->File.Reset(INVALID_HANDLE_VALUE);
    if (!m_target->Temporary.empty())
        ::DeleteFileW(m_target->Temporary.c_str());
}

void AtomicFileWriter::Append(std::string_view bytes) {
    Target& target = *m_target;
    if (target.Committed || !target.File.Valid())
        Fail("cannot write after saving", target.Path, ERROR_INVALID_HANDLE);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(target.File.Get(), bytes.data() + done, piece, &put, nullptr))
            Fail("cannot write", target.Path, ::GetLastError());
        if (put == 0)
            Fail("cannot write", target.Path, ERROR_DISK_FULL);
        done += put;
    }
}

void AtomicFileWriter::Commit() {
    Target& target = *m_target;
    if (target.Committed || !target.File.Valid())
        Fail("cannot save twice", target.Path, ERROR_INVALID_HANDLE);
    if (!::FlushFileBuffers(target.File.Get()))
        Fail("cannot write", target.Path, ::GetLastError());
    target.File.Reset(INVALID_HANDLE_VALUE);
    if (target.ReplaceKeepingFile &&
        !::ReplaceFileW(target.Path.c_str(), target.Temporary.c_str(), nullptr,
                        REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                        nullptr)) {
        const DWORD error = ::GetLastError();
        // A file another program holds open (Word, Excel) cannot be replaced
        // in any way; one that went away meanwhile is simply written anew.
        if (error != ERROR_FILE_NOT_FOUND)
            Fail("cannot write", target.Path, WhyNotPlaced(target.Path, error));
        target.ReplaceKeepingFile = false;
    }
    if (!target.ReplaceKeepingFile &&
        !::MoveFileExW(target.Temporary.c_str(), target.Path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail("cannot write", target.Path, WhyNotPlaced(target.Path, ::GetLastError()));
    target.Temporary.clear();
    target.Committed = true;
}

} // namespace notarion
