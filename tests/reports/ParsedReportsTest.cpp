#include "reports/ParsedReports.h"

#include "reports/ReportCatalogue.h"
#include "support/ReportXml.h"
#include "support/TempFolder.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

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
    const std::string report = dir.File("łąka.xml");
    testing::WriteReport(report, testing::ReportXml("Inne informacje", "<Info>a</Info>"));
    const std::string path = dir.Cp1250File("łąka.xml");
    testing::WriteReport(path, testing::ReportXml("Inne informacje", "<Info>obcy</Info>"));
    ParsedReports parsed;
    const std::optional<FileStatus> status = StatusOfFile(path);
    ASSERT_TRUE(status);
    parsed.Keep(path, *status, Parsed(path));
    testing::WriteReport(report, testing::ReportXml("Inne informacje", "<Info>zmienione</Info>"));
    EXPECT_EQ(parsed.Take(path), nullptr) << "the change to the real file is seen";
}

TEST(ParsedReports, HandsOutADocumentOnlyWhileItsFileIsUnchanged) {
    for (const Change& change : Changes) {
        SCOPED_TRACE(change.Name);
        testing::TempFolder dir;
        const std::string path = testing::WriteReport(
            dir.File("r.xml"), testing::ReportXml("Inne informacje", "<Info>a</Info>"));
        ParsedReports parsed;
        std::unique_ptr<XmlDocument> document = Parsed(path);
        const XmlDocument* kept = document.get();
        parsed.Keep(path, *StatusOfFile(path), std::move(document));
        ASSERT_EQ(parsed.Count(), 1u);

        change.Apply(dir, path);
        const std::unique_ptr<XmlDocument> taken = parsed.Take(path);
        EXPECT_EQ(taken.get(), change.StillKept ? kept : nullptr);
        // Taken or stale, the document is no longer held.
        EXPECT_EQ(parsed.Count(), 0u);
        EXPECT_EQ(parsed.HeldBytes(), 0u);
        EXPECT_EQ(parsed.Take(path), nullptr);
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
    parsed.Keep(first, *StatusOfFile(first), Parsed(first));
    parsed.Keep(second, *StatusOfFile(second), Parsed(second));
    EXPECT_EQ(parsed.Count(), 1u);
    EXPECT_EQ(parsed.HeldBytes(), one);
    EXPECT_EQ(parsed.Take(second), nullptr);
    EXPECT_NE(parsed.Take(first), nullptr);

    ParsedReports none(0);
    none.Keep(first, *StatusOfFile(first), Parsed(first));
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
    EXPECT_EQ(StatusOfFile(dir.File("none.xml")), std::nullopt);

    EXPECT_NE(catalogue.Parsed.Take(known), nullptr);
    catalogue.Parsed.Keep(known, *StatusOfFile(known), Parsed(known));
    catalogue.Clear();
    EXPECT_EQ(catalogue.Parsed.Count(), 0u);
}

} // namespace
} // namespace notarion
