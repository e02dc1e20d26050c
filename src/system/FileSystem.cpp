// The platform-neutral part of the file-system boundary: what std::filesystem
// does alike everywhere once a path is converted.

#include "system/FileSystem.h"

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

std::string FolderOf(std::string_view path) {
    // Windows takes a slash as a separator too.
    const auto slash = path.find_last_of(PathSeparator == '/' ? "/" : "\\/");
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

} // namespace notarion
