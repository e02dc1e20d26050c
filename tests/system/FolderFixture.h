#pragma once

// The fixture of the system layer's tests: a fresh folder, paths in it as the
// cp1250 text the core takes, and what its listing shows.

#include "system/FileSystem.h"
#include "text/Cp1250.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace notarion {

class FolderFixture : public ::testing::Test {
protected:
    std::string Path(const std::string& utf8Name) const { return m_temp.Cp1250File(utf8Name); }
    // The texts of the folder's listing, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> texts;
        for (const ListedName& name : ListFileNames(Utf8ToCp1250(m_folder.string())))
            texts.push_back(name.Text);
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    testing::TempFolder m_temp;
    const std::filesystem::path& m_folder = m_temp.Path();
};

} // namespace notarion
