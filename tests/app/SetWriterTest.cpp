#include "app/SetWriter.h"

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
    // "a" and "a/b" are made for this set: both go again.
    GenerationState state;
    const SetResult written = WriteSet(state, failing, out.File("a/b"), FoldersAbove::Make);
    EXPECT_EQ(written.Outcome, SetOutcome::ProtocolsFailed);
    EXPECT_EQ(written.Cause.Fault, BadValue::NotWholeNumber);
    EXPECT_FALSE(fs::exists(out.Path() / "a"));
    // A folder that was there stays, and so does one made above it that
    // holds the user's files.
    fs::create_directory(out.Path() / "byl");
    EXPECT_EQ(WriteSet(state, failing, out.File("byl"), FoldersAbove::Make).Outcome,
              SetOutcome::ProtocolsFailed);
    EXPECT_TRUE(fs::is_directory(out.Path() / "byl"));
    EXPECT_EQ(SetOutcomeMessage(SetOutcome::ProtocolsFailed), ProtocolsFailureMessage());
}

TEST(SetWriter, AWrittenSetKeepsTheFoldersMadeForIt) {
    testing::TempFolder out;
    GenerationState state;
    EXPECT_EQ(
        WriteSet(state, ReportCatalogue{}, out.File("nowy/Protokoly"), FoldersAbove::Make).Outcome,
        SetOutcome::Written);
    EXPECT_TRUE(fs::exists(out.Path() / "nowy" / "Protokoly" / "Zestawienie.htm"));
    EXPECT_TRUE(fs::exists(out.Path() / "nowy" / "Protokoly" / "Lista_Ndst.htm"));
}

TEST(SetWriter, AFolderThatCannotBeMadeIsNamedWithTheSystemsReason) {
    testing::TempFolder out;
    testing::WriteBytes(out.Path() / "plik", "x");
    GenerationState state;
    const SetResult written =
        WriteSet(state, ReportCatalogue{}, out.File("plik/Protokoly"), FoldersAbove::Make);
    EXPECT_EQ(written.Outcome, SetOutcome::FolderNotMade);
    EXPECT_EQ(written.Cause.Kind, FailureKind::UnmadeFolder);
    EXPECT_EQ(written.Cause.File, out.File("plik"));
    EXPECT_NE(written.Cause.SystemError, 0);
    EXPECT_EQ(testing::ReadBytes(out.Path() / "plik"), "x");
    // Beside the reports, a folder above that has gone is not made again.
    const SetResult beside =
        WriteSet(state, ReportCatalogue{}, out.File("brak/Protokoly"), FoldersAbove::MustExist);
    EXPECT_EQ(beside.Outcome, SetOutcome::FolderNotMade);
    EXPECT_EQ(beside.Cause.File, out.File("brak/Protokoly"));
    EXPECT_FALSE(fs::exists(out.Path() / "brak"));
}

} // namespace
} // namespace notarion
