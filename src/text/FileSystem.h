#pragma once

// The file-system boundary of the core. Paths in the program are Windows-1250
// text; the file system speaks UTF-8. Every file operation of the core goes
// through these functions, which convert the path in one place.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace notarion {

// The separator placed between a folder and a name ("/" here; the names
// themselves stay as the system gives them).
inline constexpr char PathSeparator = '/';

// A cp1250 path text as a file-system path.
std::filesystem::path PathFromText(std::string_view cp1250Path);

// A file-system path as cp1250 text (characters outside the code page become '?').
std::string TextFromPath(const std::filesystem::path& path);

// True when something that is not a directory exists at the path.
bool FileExists(std::string_view path);

// True when a directory exists at the path.
bool DirectoryExists(std::string_view path);

// Create one directory (no parents). Returns false when it could not be made.
bool CreateSingleDirectory(std::string_view path);

// Remove a directory only when it is empty. Returns false when it could not
// be removed (not empty, missing, no permission).
bool RemoveEmptyDirectory(std::string_view path);

// Read the whole file. Throws Failure when the file cannot be opened or read
// (missing, no permission, a directory).
std::string ReadWholeFile(std::string_view path);

// Write the bytes to a temporary file beside the target, then rename it over
// the target, so a failure never leaves a half-written file. Throws Failure
// when anything fails; the target is then unchanged.
void WriteWholeFile(std::string_view path, std::string_view bytes);

// The names (not paths) of the entries of a directory that are regular files
// or links to them, in the directory's own order. Empty when the folder cannot be read.
std::vector<std::string> ListFileNames(std::string_view folder);

// The folder part of a path: everything before its last separator; empty when
// there is none.
std::string FolderOf(std::string_view path);

} // namespace notarion
