// The sample school of examples/szkola goes through the real catalogue and
// generation into a temporary folder; the fourteen documents must equal the
// reviewed documents in tests/data/generate/szkola byte for byte, and so
// must the page of the set's figures. This is the
// one place the sample school's documents are compared; the front ends prove
// only their own road to the same generation.

#include "generate/DocumentSet.h"
#include "generate/SetSummary.h"

#include "ExpectedText.h"
#include "reports/ListFile.h"
#include "reports/ReportCatalogue.h"
#include "support/ByteDiff.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "text/Cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace notarion {
namespace {

namespace fs = std::filesystem;

// The catalogue from the folder, as a new set starts, or from the school's
// saved list; either way the fourteen documents are the reviewed ones.
TEST(SampleSchool, GivesTheReviewedDocumentsFromTheFolderAndFromItsList) {
    const fs::path school = fs::path(NOTARION_EXAMPLES) / "szkola";
    const std::vector<std::string> files = testing::SchoolReportFiles(school);
    ASSERT_GT(files.size(), 70u) << school;

    for (const bool fromList : {false, true}) {
        SCOPED_TRACE(fromList ? "szkola.xmp" : "folder");
        ReportCatalogue catalogue;
        if (fromList) {
            ASSERT_TRUE(ReadListFile(catalogue, (school / "szkola.xmp").string()));
            ASSERT_EQ(catalogue.Count, static_cast<int>(files.size()));
        } else {
            std::u16string warning;
            ASSERT_TRUE(LoadCatalogue(catalogue, files, [&](int, int, const std::u16string& text) {
                warning = text;
            })) << Utf16ToUtf8(warning);
        }

        testing::TempFolder output;
        GenerationState state;
        ASSERT_TRUE(GenerateProtocols(state, catalogue, output.Text()));
        ASSERT_TRUE(GenerateLists(state, output.Text()));
        ASSERT_TRUE(GenerateSummary(state, catalogue, output.Text()));

        for (int option = 0; option < DocumentCount; ++option) {
            const std::string name = DocumentFileForOption(option);
            SCOPED_TRACE(name);
            const std::string expected = testing::ReadBytes(testing::DataPath("szkola/" + name));
            ASSERT_FALSE(expected.empty());
            EXPECT_TRUE(testing::SameBytes(expected, testing::ReadBytes(output.Path() / name)));
        }
        // The page of the figures lies beside them, reviewed the same way.
        const std::string name(SummaryFileName);
        EXPECT_TRUE(testing::SameBytes(testing::ReadBytes(testing::DataPath("szkola/" + name)),
                                       testing::ReadBytes(output.Path() / name)));
    }
}

} // namespace
} // namespace notarion
