#pragma once

// The work folders' fixture: a data folder of the test's own, the settings
// file in it, and the start that reads and writes it.

#include "app/SharedState.h"
#include "app/StartOfWork.h"
#include "system/FileSystem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace notarion {

class WorkFolders : public ::testing::Test {
protected:
    std::filesystem::path Settings() const {
        return m_appData / "OrvApp" / "RevNotarion" / "RevNotarion.ini";
    }
    std::string ReadSettings() const { return ReadWholeFile(Settings().string()); }
    void WriteSettings(const std::string& bytes) const {
        std::ofstream(Settings(), std::ios::binary) << bytes;
    }
    SharedState Start() {
        SharedState state;
        InitSettings(state, m_appData.string());
        return state;
    }
    testing::TempFolder m_temp;
    const std::filesystem::path& m_appData = m_temp.Path();
};

} // namespace notarion
