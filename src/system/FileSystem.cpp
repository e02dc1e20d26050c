// The platform-neutral part of the file-system boundary: what std::filesystem
// does alike everywhere once a path is converted.

#include "system/FileSystem.h"

#include <algorithm>

namespace notarion {
namespace fs = std::filesystem;

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

std::optional<std::string> ReadFileIfPresent(std::string_view path, FileStatus* status) {
    std::string bytes;
    if (!ReadFileIfPresent(path, bytes, status))
        return std::nullopt;
    return bytes;
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

bool IsPathSeparator(char c) {
    return c == PathSeparator || c == '/';
}

bool IsRootedPath(std::string_view path) {
    if (!path.empty() && IsPathSeparator(path.front()))
        return true;
    const bool drive = PathSeparator == '\\' && path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive;
}

std::string FolderOf(std::string_view path) {
    const auto separator = std::find_if(path.rbegin(), path.rend(), IsPathSeparator);
    return separator == path.rend() ? std::string()
                                    : std::string(path.substr(0, path.rend() - separator - 1));
}

} // namespace notarion
