// The sample school of examples/szkola goes through the real catalogue and
// generation into a temporary folder; the fourteen documents must equal the
// reviewed documents in tests/data/generate/szkola byte for byte.

#include "generate/DocumentSet.h"

#include "TestSupport.h"
#include "reports/ReportCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The report files of the folder, ordered by name without regard to letter case.
std::vector<std::string> ReportFiles(const fs::path& folder) {
    std::vector<std::string> paths;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && Lower(entry.path().extension().string()) == ".xml")
            paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    return paths;
}

TEST(SampleSchool, GivesTheReviewedDocuments) {
    const fs::path school = fs::path(NOTARION_EXAMPLES) / "szkola";
    const std::vector<std::string> files = ReportFiles(school);
    ASSERT_GT(files.size(), 70u) << school;

    ReportCatalogue catalogue;
    std::u16string warning;
    ASSERT_TRUE(LoadCatalogue(catalogue, files, [&](int, int, const std::u16string& text) {
        warning = text;
    })) << testing::JoinUtf8({Utf16ToCp1250(warning)});

    testing::TempDir output;
    GenerationState state;
    ASSERT_TRUE(GenerateProtocols(state, catalogue, output.Text()));
    ASSERT_TRUE(GenerateLists(state, output.Text()));

    for (int option = 0; option < DocumentCount; ++option) {
        const std::string name = DocumentFileForOption(option);
        SCOPED_TRACE(name);
        const std::string expected = testing::ReadBytes(testing::DataPath("szkola/" + name));
        ASSERT_FALSE(expected.empty());
        const std::string actual = testing::ReadBytes(output.Path() / name);
        // Compared as UTF-8 so that a difference shows as a readable line diff.
        EXPECT_EQ(Cp1250ToUtf8(actual), Cp1250ToUtf8(expected));
        EXPECT_EQ(actual, expected);
    }
}

} // namespace
} // namespace notarion
