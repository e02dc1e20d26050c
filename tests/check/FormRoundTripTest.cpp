// The report form's promise to a school: a report read into the form and
// written back gives byte for byte the documents and the preview page of the
// original, for the sample school and for generated schools; and reading a
// damaged report names the same problems as the check.

#include "app/ReportFolder.h"
#include "check/ReportCheck.h"
#include "check/ReportFindings.h"
#include "generate/DocumentSet.h"
#include "make_school/SampleSchool.h"
#include "reports/ReportFormFile.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace notarion {
namespace {

using testing::TempFolder;

// The fourteen documents and the preview page of every report of a folder,
// by file name.
std::map<std::string, std::string> DocumentsOf(const std::string& folder) {
    const FolderCatalogue loaded = CatalogueFromFolder(folder);
    EXPECT_EQ(loaded.Refusal, FolderRefusal::None) << folder;
    TempFolder output;
    GenerationState state;
    EXPECT_TRUE(GenerateProtocols(state, loaded.Catalogue, output.Text()));
    EXPECT_TRUE(GenerateLists(state, output.Text()));
    std::map<std::string, std::string> documents;
    for (int option = 0; option < DocumentCount; ++option) {
        const std::string name = DocumentFileForOption(option);
        documents[name] = testing::ReadBytes(output.File(name));
    }
    for (int i = 0; i < loaded.Catalogue.Count; ++i) {
        EXPECT_TRUE(WritePreviewFileOfEntry(state, loaded.Catalogue, i, output.Text() + "/"));
        documents["preview of " +
                  loaded.Catalogue.Slots[static_cast<std::size_t>(i)].Path.substr(folder.size())] =
            testing::ReadBytes(output.File(std::string(PreviewFileName)));
    }
    return documents;
}

// Every report of from read into a form and saved under its name into to.
int RewriteReports(const std::string& from, const std::string& to) {
    std::vector<std::string> unusable;
    int rewritten = 0;
    for (const std::string& path : FindReportFiles(from, unusable)) {
        const FormRead read = LoadReportForm(path);
        EXPECT_TRUE(read.Form) << path;
        EXPECT_TRUE(read.Findings.empty()) << path;
        if (!read.Form)
            continue;
        EXPECT_TRUE(SaveReportForm(*read.Form, to + path.substr(from.size())).empty()) << path;
        ++rewritten;
    }
    return rewritten;
}

void ExpectSameDocuments(const std::string& original, int minimumReports) {
    TempFolder rewritten;
    EXPECT_GE(RewriteReports(original, rewritten.Text()), minimumReports);
    const auto before = DocumentsOf(original);
    const auto after = DocumentsOf(rewritten.Text());
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [name, bytes] : before) {
        ASSERT_TRUE(after.count(name)) << name;
        EXPECT_TRUE(bytes == after.at(name)) << name << " differs after the round trip";
    }
}

TEST(FormRoundTrip, SampleSchoolGivesTheSameDocuments) {
    ExpectSameDocuments(std::string(NOTARION_EXAMPLES) + "/szkola", 75);
}

TEST(FormRoundTrip, GeneratedSchoolsGiveTheSameDocuments) {
    for (const std::uint64_t seed : {3u, 11u}) {
        TempFolder school;
        WriteSampleSchool(school.Text(), {3, seed, ""});
        ExpectSameDocuments(school.Text(), 10);
    }
}

bool IsBadValue(Problem problem) {
    for (const BadValue value :
         {BadValue::Missing, BadValue::NotWholeNumber, BadValue::OutOfRange, BadValue::Negative,
          BadValue::AverageNotNumeric, BadValue::TooManyLines})
        if (ProblemOf(value) == problem)
            return true;
    return false;
}

TEST(FormRoundTrip, DamagedReportsShowTheCheckersFindings) {
    std::vector<std::string> unusable;
    const std::string folder = std::string(NOTARION_EXAMPLES) + "/uszkodzone";
    for (const std::string& path : FindReportFiles(folder, unusable)) {
        SCOPED_TRACE(path);
        const CheckResult checked = CheckReportFiles({path});
        std::vector<std::pair<std::string, std::string>> expected;
        // The form states the bad values of its own file; findings about the
        // whole set (a missing tutor's report, say) are not the form's.
        for (const Finding& finding : checked.Findings)
            if (IsBadValue(finding.Kind))
                expected.emplace_back(finding.Element, finding.Value);
        const FormRead read = LoadReportForm(path);
        std::vector<std::pair<std::string, std::string>> found;
        for (const FormFinding& finding : read.Findings)
            if (finding.Issue == FormIssue::BadValue)
                found.emplace_back(finding.Value.Element, finding.Value.Value);
        EXPECT_EQ(found, expected);
        // Saved again, the report passes the check without an error.
        if (!read.Form || !CheckBeforeSaving(*read.Form).empty())
            continue;
        TempFolder saved;
        ASSERT_TRUE(SaveReportForm(*read.Form, saved.File("r.xml")).empty());
        EXPECT_EQ(CheckReportFiles({saved.File("r.xml")}).ErrorCount(), 0);
    }
}

TEST(FormRoundTrip, CountInWordsKeepsItsStudentsAndSaysSoBesideTheCount) {
    const FormRead read = LoadReportForm(std::string(NOTARION_EXAMPLES) +
                                         "/uszkodzone/1a_klasyfikacja_liczba_slowami.xml");
    ASSERT_TRUE(read.Form);
    EXPECT_EQ(FindPart(*read.Form, "Frekwencja")->Rows.size(), 3u);
    const std::vector<FormProblem> problems =
        DescribeFormFindings(read, [](std::string_view text) { return std::string(text); });
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Code, "count-not-whole-number");
    EXPECT_NE(problems[0].Message.find("„trzy”"), std::string::npos) << problems[0].Message;
    EXPECT_NE(problems[0].Message.find("Wczytano 3 uczniów znalezionych w pliku"),
              std::string::npos)
        << problems[0].Message;
}

} // namespace
} // namespace notarion
