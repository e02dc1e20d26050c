#include "support/TempFolder.h"

#include "support/FileBytes.h"
#include "text/Cp1250.h"

#include <algorithm>

#include <random>
#include <stdexcept>

namespace notarion::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    // A random name that no other folder has yet: making a folder fails when
    // the name is taken, so tests of two builds running at once never share
    // one. Closed to other users, as the system's own temporary folders are.
    std::random_device random;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "notarion-";
        for (int i = 0; i < 10; ++i) {
            const unsigned d = digit(random);
            name += static_cast<char>(d < 10 ? '0' + d : 'a' + (d - 10));
        }
        std::error_code error;
        if (fs::create_directory(base / name, error)) {
            m_path = base / name;
            fs::permissions(m_path, fs::perms::owner_all, error);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder in " + base.string());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string WithNativeSeparators(std::string path) {
    std::replace(path.begin(), path.end(), '/', static_cast<char>(fs::path::preferred_separator));
    return path;
}

std::string TempFolder::File(const std::string& name) const {
    return WithNativeSeparators(Text() + '/' + name);
}

fs::path TempFolder::PathOf(const std::string& utf8Name) const {
    return m_path / Utf8Path(utf8Name);
}

std::string TempFolder::Cp1250File(const std::string& utf8Name) const {
    return Utf8ToCp1250(File(utf8Name));
}

} // namespace notarion::testing
