// The pdf command's own part, with a writer that records what it is given:
// the set is generated as by generate, the PDF goes where it should, and a
// build without a writer changes nothing.

#include "ProgramRun.h"
#include "cli/CommandLine.h"
#include "generate/DocumentSet.h"
#include "system/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace notarion {
namespace {

using testing::CopySchool;
using testing::TempFolder;
namespace fs = std::filesystem;

struct PdfRun {
    int Code;
    std::string Out;
    std::string Err;
    // What the writer was given; no path when it was not called.
    SetContents Contents;
    std::string Path;
    // Who named it: the program's own name is never written through a link.
    NamedBy Naming = NamedBy::User;
};

PdfRun RunPdf(const std::vector<std::string>& words, const std::string& writerMessage = {},
              bool withWriter = true) {
    PdfRun run;
    SetPdfWriter writer;
    if (withWriter) {
        writer = [&](const SetContents& contents, const std::string& path, NamedBy namedBy) {
            run.Contents = contents;
            run.Path = path;
            run.Naming = namedBy;
            return writerMessage;
        };
    }
    std::ostringstream out;
    std::ostringstream err;
    run.Code = RunCommandLine(words, out, err, writer);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

TEST(PdfCommand, GeneratesTheSetThenWritesThePdfBesideTheDocuments) {
    TempFolder school;
    CopySchool(school.Text());
    const PdfRun run = RunPdf({"pdf", school.Text(), "--decimal-separator", ","});
    ASSERT_EQ(run.Code, 0) << run.Err;
    const std::string folder = school.File("Protokoly");
    EXPECT_EQ(run.Path, folder + PathSeparator + "Protokoly.pdf");
    EXPECT_EQ(run.Naming, NamedBy::Program);
    EXPECT_EQ(run.Out, folder + PathSeparator + "Protokoly.pdf\n");
    EXPECT_EQ(run.Contents.Folder, folder);
    // The fourteen documents and the set's figures.
    ASSERT_EQ(run.Contents.Documents.size(), 15u);
    for (const SetDocument& document : run.Contents.Documents)
        EXPECT_TRUE(fs::exists(document.Path)) << document.Path;
    int reports = 0;
    for (const KindCount& kind : run.Contents.Counts)
        reports += kind.Count;
    EXPECT_EQ(reports, 9);
}

TEST(PdfCommand, OutNamesThePdfAndTheDocumentsStayInProtokoly) {
    TempFolder school;
    CopySchool(school.Text());
    TempFolder elsewhere;
    const PdfRun run = RunPdf({"pdf", school.Text(), "--out", elsewhere.File("rada.pdf")});
    ASSERT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Path, elsewhere.File("rada.pdf"));
    EXPECT_EQ(run.Naming, NamedBy::User);
    EXPECT_EQ(run.Contents.Folder, school.File("Protokoly"));
}

TEST(PdfCommand, FailuresExitWithOneAndWriteNoPdf) {
    TempFolder school;
    CopySchool(school.Text());
    const PdfRun failedWrite = RunPdf({"pdf", school.Text()}, "Nie można zapisać pliku:\nx.pdf");
    EXPECT_EQ(failedWrite.Code, 1);
    EXPECT_EQ(failedWrite.Err, "Nie można zapisać pliku:\nx.pdf\n");
    EXPECT_TRUE(failedWrite.Out.empty());

    // The same source rules and messages as generate, before any writing.
    TempFolder empty;
    const PdfRun noReports = RunPdf({"pdf", empty.Text()});
    EXPECT_EQ(noReports.Code, 1);
    EXPECT_TRUE(noReports.Path.empty());
    EXPECT_FALSE(noReports.Err.empty());
    EXPECT_EQ(RunPdf({"pdf", school.Text(), "--json"}).Code, 2);

    // A build without Qt refuses before the set is generated.
    TempFolder other;
    CopySchool(other.Text());
    const PdfRun withoutQt = RunPdf({"pdf", other.Text()}, {}, false);
    EXPECT_EQ(withoutQt.Code, 1);
    EXPECT_NE(withoutQt.Err.find("bez Qt"), std::string::npos) << withoutQt.Err;
    EXPECT_FALSE(fs::exists(other.File("Protokoly")));
}

TEST(PdfCommand, HasItsHelpAndAPlaceInTheMainHelp) {
    const PdfRun help = RunPdf({"pdf", "--help"});
    EXPECT_EQ(help.Code, 0);
    EXPECT_TRUE(help.Out.starts_with("Użycie: notarion-cli pdf ŹRÓDŁO [--out PLIK.pdf]"))
        << help.Out;
    EXPECT_NE(RunPdf({"--help"}).Out.find("notarion-cli pdf ŹRÓDŁO"), std::string::npos);
}

} // namespace
} // namespace notarion
