#include "reports/ParsedReports.h"

#include "reports/ReportCatalogue.h"
#include "support/FileBytes.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "system/FileSystem.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace notarion {
namespace {

namespace fs = std::filesystem;

// A parsed document of the report at path, as the catalogue keeps it.
std::unique_ptr<XmlDocument> Parsed(const std::string& path) {
    auto document = std::make_unique<XmlDocument>();
    document->LoadFromFile(path);
    return document;
}

struct Change {
    const char* Name;
    std::function<void(const testing::TempFolder&, const std::string&)> Apply;
    bool StillKept;
};

const Change Changes[] = {
    {"nothing", [](const auto&, const std::string&) {}, true},
    {"rewritten longer",
     [](const auto&, const std::string& path) {
         testing::WriteReport(path, testing::ReportXml("Inne informacje", "<Info>nowe</Info>"));
     },
     false},
    {"same size, later modification",
     [](const auto&, const std::string& path) {
         testing::WriteReport(path, testing::ReportXml("Inne informacje", "<Info>b</Info>"));
         fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(2));
     },
     false},
    {"replaced by a copy with the same time",
     [](const auto& dir, const std::string& path) {
         const std::string copy = dir.File("copy.xml");
         fs::copy_file(path, copy);
         fs::last_write_time(copy, fs::last_write_time(path));
         fs::rename(copy, path);
     },
     false},
    {"removed", [](const auto&, const std::string& path) { fs::remove(path); }, false},
    {"replaced by a folder",
     [](const auto&, const std::string& path) {
         fs::remove(path);
         fs::create_directory(path);
     },
     false},
};

// The core names files in cp1250; the file system holds them in UTF-8. A
// report with Polish letters in its name is looked at under its real name,
// never under the raw cp1250 bytes, where another file may lie.
TEST(ParsedReports, APolishNameIsLookedAtUnderItsRealName) {
    testing::TempFolder dir;
    const fs::path report = dir.PathOf("łąka.xml");
    testing::WriteReport(report, testing::ReportXml("Inne informacje", "<Info>a</Info>"));
    const std::string path = dir.Cp1250File("łąka.xml");
    // On Linux the name's cp1250 bytes are a name of their own, another
    // file's; Windows has no such second name.
    if (PathSeparator == '/')
        testing::WriteReport(path, testing::ReportXml("Inne informacje", "<Info>obcy</Info>"));
    ParsedReports parsed;
    const std::optional<FileStatus> status = StatusOfFile(path);
    ASSERT_TRUE(status);
    const KeptReport where = parsed.Keep(path, *status, Parsed(path));
    testing::WriteReport(report, testing::ReportXml("Inne informacje", "<Info>zmienione</Info>"));
    EXPECT_EQ(parsed.Take(where, path), nullptr) << "the change to the real file is seen";
}

// How the catalogue reached the report: a file alone in its folder, one with
// a second name elsewhere, one reached through a link; each can change under
// another name than the one read.
struct Reach {
    const char* Name;
    // Make the report's file; returns the path the catalogue reads.
    std::function<std::string(const testing::TempFolder&, const std::string& file)> Make;
};

const Reach Reaches[] = {
    {"alone in its folder", [](const auto&, const std::string& file) { return file; }},
    {"with a second name",
     [](const auto& dir, const std::string& file) {
         fs::create_hard_link(file, dir.File("second.xml"));
         return file;
     }},
    // Left out (an empty path) where no link can be made.
    {"through a link",
     [](const auto& dir, const std::string& file) {
         fs::create_directory(dir.File("links"));
         return testing::MakeLink(file, dir.File("links/r.xml")) ? dir.File("links/r.xml")
                                                                 : std::string();
     }},
};

// The road: the catalogue reads and keeps the report, a writer takes it.
TEST(ParsedReports, HandsOutADocumentOnlyWhileItsFileIsUnchanged) {
    for (const Reach& reach : Reaches)
        for (const Change& change : Changes) {
            SCOPED_TRACE(std::string(reach.Name) + ", " + change.Name);
            testing::TempFolder dir;
            const std::string file = testing::WriteReport(
                dir.File("r.xml"), testing::ReportXml("Inne informacje", "<Info>a</Info>"));
            const std::string path = reach.Make(dir, file);
            if (path.empty())
                continue;
            ReportCatalogue catalogue;
            ASSERT_FALSE(BuildCatalogue(catalogue, {path}));
            ParsedReports& parsed = catalogue.Parsed;
            ASSERT_EQ(parsed.Count(), 1u);

            // Changed under the file's own name, which the link leads to.
            change.Apply(dir, file);
            const KeptReport where = catalogue.Slots[0].Kept;
            const std::unique_ptr<XmlDocument> taken = parsed.Take(where, path);
            EXPECT_EQ(taken != nullptr, change.StillKept);
            // Taken or stale, the document is no longer held.
            EXPECT_EQ(parsed.Count(), 0u);
            EXPECT_EQ(parsed.HeldBytes(), 0u);
            EXPECT_EQ(parsed.Take(where, path), nullptr);
        }
}

// The report's folder moved away, or a folder above it, with another of the
// same name put in its place: the path now leads to another file.
TEST(ParsedReports, SeesItsFolderReplaced) {
    const std::function<void(const testing::TempFolder&)> moves[] = {
        [](const auto& dir) { fs::rename(dir.File("a/b"), dir.File("a/old")); },
        [](const auto& dir) { fs::rename(dir.File("a"), dir.File("old")); },
    };
    for (const auto& move : moves) {
        testing::TempFolder dir;
        fs::create_directories(dir.File("a/b"));
        const std::string xml = testing::ReportXml("Inne informacje", "<Info>a</Info>");
        const std::string path = testing::WriteReport(dir.File("a/b/r.xml"), xml);
        ReportCatalogue catalogue;
        ASSERT_FALSE(BuildCatalogue(catalogue, {path}));
        move(dir);
        fs::create_directories(dir.File("a/b"));
        testing::WriteReport(path, xml);
        EXPECT_EQ(catalogue.Parsed.Take(catalogue.Slots[0].Kept, path), nullptr);
    }
}

TEST(ParsedReports, HoldsNoMoreThanItsBudget) {
    testing::TempFolder dir;
    const std::string first =
        testing::WriteReport(dir.File("a.xml"), testing::ReportXml("Z karty", ""));
    const std::string second =
        testing::WriteReport(dir.File("b.xml"), testing::ReportXml("Z karty", ""));
    const std::size_t one = DocumentBytes(*Parsed(first));
    ASSERT_GT(one, sizeof(XmlDocument));

    ParsedReports parsed(one);
    const KeptReport kept = parsed.Keep(first, *StatusOfFile(first), Parsed(first));
    EXPECT_EQ(parsed.Keep(second, *StatusOfFile(second), Parsed(second)), NotKept);
    EXPECT_EQ(parsed.Count(), 1u);
    EXPECT_EQ(parsed.HeldBytes(), one);
    EXPECT_EQ(parsed.Take(kept, second), nullptr) << "kept from another path";
    EXPECT_NE(parsed.Take(kept, first), nullptr);

    ParsedReports none(0);
    EXPECT_EQ(none.Keep(first, *StatusOfFile(first), Parsed(first)), NotKept);
    EXPECT_EQ(none.Count(), 0u);
}

TEST(ParsedReports, CatalogueKeepsItsKnownReportsAndCopiesNone) {
    testing::TempFolder dir;
    const std::string known =
        testing::WriteReport(dir.File("a.xml"), testing::ReportXml("Inne informacje", ""));
    const std::string unknown =
        testing::WriteReport(dir.File("b.xml"), testing::ReportXml("List do rodziców", ""));
    ReportCatalogue catalogue;
    ASSERT_FALSE(BuildCatalogue(catalogue, {known, unknown}));
    EXPECT_EQ(catalogue.Parsed.Count(), 1u);

    const ReportCatalogue copy = catalogue;
    EXPECT_EQ(copy.Parsed.Count(), 0u);
    EXPECT_EQ(copy.Slots, catalogue.Slots);
    EXPECT_EQ(copy.Parsed.Take(copy.Slots[0].Kept, known), nullptr);
    EXPECT_EQ(StatusOfFile(dir.File("none.xml")), std::nullopt);

    EXPECT_NE(catalogue.Parsed.Take(catalogue.Slots[0].Kept, known), nullptr);
    const KeptReport again = catalogue.Parsed.Keep(known, *StatusOfFile(known), Parsed(known));
    catalogue.Clear();
    EXPECT_EQ(catalogue.Parsed.Count(), 0u);
    EXPECT_EQ(catalogue.Parsed.Take(again, known), nullptr);
}

} // namespace
} // namespace notarion
