#include "generate/SetWriter.h"

#include "reports/ReportCatalogue.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace notarion {
namespace {

namespace fs = std::filesystem;

// A set whose first document fails: a class report with a count in words.
ReportCatalogue FailingSet(const testing::TempFolder& reports) {
    const std::string kind = "Klasyfikacja klasy";
    const std::string path = testing::WriteReport(
        reports.File("zly.xml"),
        testing::ReportXml(kind, "<Frekwencja><IleOsob>dużo</IleOsob></Frekwencja>"));
    ReportCatalogue catalogue;
    catalogue.Slots = {{kind + " - zly", path, kind}};
    catalogue.Count = 1;
    return catalogue;
}

TEST(SetWriter, AFailedSetTakesBackOnlyTheEmptyFoldersMadeForIt) {
    testing::TempFolder reports;
    const ReportCatalogue failing = FailingSet(reports);
    testing::TempFolder out;
    // Made from "a" down to "a/b" for this set: both go again.
    fs::create_directories(out.Path() / "a" / "b");
    GenerationState state;
    const SetResult written = WriteSet(state, failing, out.File("a/b"), out.File("a"));
    EXPECT_EQ(written.Outcome, SetOutcome::ProtocolsFailed);
    EXPECT_EQ(written.Cause.Fault, BadValue::NotWholeNumber);
    EXPECT_FALSE(fs::exists(out.Path() / "a"));
    // A folder that was there, or that holds the user's files, stays.
    fs::create_directory(out.Path() / "byl");
    EXPECT_EQ(WriteSet(state, failing, out.File("byl"), "").Outcome, SetOutcome::ProtocolsFailed);
    EXPECT_TRUE(fs::is_directory(out.Path() / "byl"));
    testing::WriteBytes(out.Path() / "nowy" / "notatka.txt", "x");
    EXPECT_EQ(WriteSet(state, failing, out.File("nowy"), out.File("nowy")).Outcome,
              SetOutcome::ProtocolsFailed);
    EXPECT_EQ(testing::ReadBytes(out.Path() / "nowy" / "notatka.txt"), "x");
    EXPECT_EQ(SetOutcomeMessage(SetOutcome::ProtocolsFailed), ProtocolsFailureMessage());
}

TEST(SetWriter, AWrittenSetKeepsTheFolderMadeForIt) {
    testing::TempFolder out;
    fs::create_directory(out.Path() / "nowy");
    GenerationState state;
    EXPECT_EQ(WriteSet(state, ReportCatalogue{}, out.File("nowy"), out.File("nowy")).Outcome,
              SetOutcome::Written);
    EXPECT_TRUE(fs::exists(out.Path() / "nowy" / "Zestawienie.htm"));
    EXPECT_TRUE(fs::exists(out.Path() / "nowy" / "Lista_Ndst.htm"));
}

} // namespace
} // namespace notarion
