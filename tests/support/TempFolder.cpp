#include "support/TempFolder.h"

#include "text/Cp1250.h"

#include <stdexcept>

#include <stdlib.h>

namespace notarion::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "notarion-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder from " + pattern);
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::Cp1250File(const std::string& utf8Name) const {
    return Utf8ToCp1250(File(utf8Name));
}

} // namespace notarion::testing
