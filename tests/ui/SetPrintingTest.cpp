// The viewer's set commands without a person: the print dialog, the save
// dialog and the printer are test doubles; the pages come out as PDF files
// that poppler reads back.

#include "platform/SetPrinting.h"

#include "generate/DocumentSet.h"
#include "platform/PdfOutline.h"
#include "platform/PdfTestSupport.h"
#include "platform/QtText.h"
#include "reports/ReportCatalogue.h"

#include <QPrinter>

#include <gtest/gtest.h>

#include <filesystem>

namespace notarion {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TempFolder;

// The sample school's reviewed documents in a folder of their own.
SetContents SampleSet(const TempFolder& folder) {
    for (const auto& entry :
         fs::directory_iterator(fs::path(NOTARION_GENERATE_TEST_DATA) / "szkola")) {
        if (entry.path().extension() == ".htm")
            fs::copy_file(entry.path(), folder.Path() / entry.path().filename());
    }
    return DescribeSet(ReportCatalogue{}, folder.Text());
}

// A save dialog that records what it was asked and answers with answer.
struct RecordingSaveDialog {
    QString Answer;
    std::vector<SaveOffer> Offers;
    QString Suggested;
    SaveDialog Dialog() {
        return [this](QWidget*, SaveOffer offer, const QString& suggested) {
            Offers.push_back(offer);
            Suggested = suggested;
            return SaveTarget{Answer, SaveFormat::Pdf};
        };
    }
};

std::string PdfText(const std::string& path) {
    return RunCommand("pdftotext -enc UTF-8 '" + path + "' -");
}

TEST(SetPrinting, PrintsOneJobOnTheChosenPrinterHonouringThePageRange) {
    TempFolder folder;
    const SetContents set = SampleSet(folder);
    const std::string printed = folder.File("printer.pdf");
    RecordingSaveDialog save;
    int dialogs = 0;
    const auto chooseRange = [&](QWidget*, QPrinter& printer) {
        ++dialogs;
        // What the print dialog does when the user leaves out the first page.
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        return true;
    };
    const SetCommandResult result = PrintSet(
        nullptr, set, [&] { return PdfPrinter(QStringFromCp1250(printed)); }, save.Dialog(),
        chooseRange);
    ASSERT_EQ(result.Result, ViewerResult::Done);
    EXPECT_TRUE(result.File.empty()) << "no file of the user's was written";
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(save.Offers.empty()) << "a printer was there";
    EXPECT_EQ(CountPdfPages(ReadBytes(printed)), 2);
    const std::string text = PdfText(printed);
    const std::string total = " z " + std::to_string(result.Output.PageCount);
    EXPECT_NE(text.find("Strona 2" + total), std::string::npos) << text;
    EXPECT_EQ(text.find("Strona 1" + total), std::string::npos);
    EXPECT_EQ(text.find("Strona 4" + total), std::string::npos);
}

TEST(SetPrinting, DeclinedDialogsPrintAndWriteNothing) {
    TempFolder folder;
    const SetContents set = SampleSet(folder);
    const std::string printed = folder.File("printer.pdf");
    RecordingSaveDialog save; // answers with no path: cancelled
    const SetCommandResult declinedPrint = PrintSet(
        nullptr, set, [&] { return PdfPrinter(QStringFromCp1250(printed)); }, save.Dialog(),
        [](QWidget*, QPrinter&) { return false; });
    EXPECT_EQ(declinedPrint.Result, ViewerResult::Cancelled);
    EXPECT_EQ(PrintSet(
                  nullptr, set, [] { return std::unique_ptr<QPrinter>(); }, save.Dialog())
                  .Result,
              ViewerResult::Cancelled);
    EXPECT_EQ(SaveSetPdf(nullptr, set, save.Dialog()).Result, ViewerResult::Cancelled);
    EXPECT_FALSE(fs::exists(printed));
    EXPECT_EQ(static_cast<std::size_t>(
                  std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator())),
              set.Documents.size());
}

TEST(SetPrinting, WithoutAPrinterAndOnSaveThePdfIsOfferedInTheSetsFolder) {
    TempFolder folder;
    const SetContents set = SampleSet(folder);
    const QString expectedName =
        QStringLiteral("Protokoly_%1.pdf")
            .arg(GenerationTime(set).date().toString(QStringLiteral("yyyy-MM-dd")));

    struct Case {
        const char* What;
        bool Print;
        SaveOffer Offer;
    };
    for (const Case& c : {Case{"print without printer", true, SaveOffer::PdfOnly},
                          Case{"save as PDF", false, SaveOffer::PdfOfSet}}) {
        SCOPED_TRACE(c.What);
        RecordingSaveDialog save;
        save.Answer = QString::fromStdString(folder.File("zestaw.pdf"));
        const SetCommandResult result =
            c.Print ? PrintSet(
                          nullptr, set, [] { return std::unique_ptr<QPrinter>(); }, save.Dialog())
                    : SaveSetPdf(nullptr, set, save.Dialog());
        ASSERT_EQ(result.Result, ViewerResult::Done);
        EXPECT_EQ(save.Offers, std::vector<SaveOffer>{c.Offer});
        EXPECT_EQ(save.Suggested, QString::fromStdString(folder.Text()) + u'/' + expectedName);
        const std::string pdf = ReadBytes(folder.File("zestaw.pdf"));
        EXPECT_EQ(CountPdfPages(pdf), result.Output.PageCount);
        EXPECT_EQ(ReadOutline(pdf).size(), set.Documents.size());
        EXPECT_EQ(result.File, folder.File("zestaw.pdf")) << "the file written is named";
        fs::remove(folder.File("zestaw.pdf"));
    }
}

TEST(SetPrinting, PageCountsTakeThePolishFormOfTheirNumber) {
    const std::vector<std::pair<int, const char*>> counts = {
        {0, "0 stron"},   {1, "1 strona"},     {2, "2 strony"},    {4, "4 strony"},
        {5, "5 stron"},   {12, "12 stron"},    {14, "14 stron"},   {22, "22 strony"},
        {49, "49 stron"}, {104, "104 strony"}, {112, "112 stron"}, {1001, "1001 stron"}};
    for (const auto& [pages, text] : counts)
        EXPECT_EQ(PageCountText(pages), QString::fromUtf8(text)) << pages;
}

TEST(SetPrinting, ANameOutsideTheCodePageIsRefusedNotRenamed) {
    TempFolder folder;
    const SetContents set = SampleSet(folder);
    RecordingSaveDialog save;
    save.Answer = QString::fromStdString(folder.Text()) + QStringLiteral("/zestaw_\u4E2D.pdf");
    const SetCommandResult result = SaveSetPdf(nullptr, set, save.Dialog());
    EXPECT_EQ(result.Result, ViewerResult::Failed);
    EXPECT_EQ(result.Output.Status, SetOutputStatus::FileUnwritable);
    EXPECT_EQ(static_cast<std::size_t>(
                  std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator())),
              set.Documents.size());
}

} // namespace
} // namespace notarion
