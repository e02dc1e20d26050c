#pragma once

#include <filesystem>
#include <string>

namespace notarion::testing {

// A path text written with '/' as the system writes it: '\' on Windows.
std::string WithNativeSeparators(std::string path);

// A fresh folder under the system's temporary folder, closed to other users
// and removed with its content. Its name is new, so tests of two builds
// running at once never share a folder.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as text; ASCII, so UTF-8 and cp1250 agree.
    std::string Text() const { return m_path.string(); }
    // A name inside the folder as the program writes a path: the system's
    // separator before it and in place of each '/' in it, its bytes kept.
    std::string File(const std::string& name) const;
    // A UTF-8 name inside the folder as the cp1250 path text the core takes.
    std::string Cp1250File(const std::string& utf8Name) const;
    // A UTF-8 name inside the folder as a path the system opens.
    std::filesystem::path PathOf(const std::string& utf8Name) const;

private:
    std::filesystem::path m_path;
};

} // namespace notarion::testing
