#include "platform/TEmbeddedWB.h"

#include "ViewerTestSupport.h"
#include "platform/PdfTestSupport.h"
#include "support/Pictures.h"
#include "support/PipeFeeder.h"
#include "support/SpecialFiles.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <QTextFrame>

#include <gtest/gtest.h>

#include <filesystem>

namespace notarion {
namespace {

using testing::GeneratedPage;
using testing::PipeFeeder;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TallPicturePng;
using testing::Utf8Path;
using testing::WriteFile;
namespace fs = std::filesystem;

class EmbeddedBrowser : public ::testing::Test {
protected:
    // Navigate and wait for the document-complete signal.
    void Open(const std::string& path) {
        QSignalSpy complete(&browser, &TEmbeddedWB::OnDocumentComplete);
        browser.Navigate(path);
        ASSERT_TRUE(complete.wait(2000)) << "no document-complete for " << path;
    }

    std::string WritePage(const std::string& heading, int sections = 3) {
        return WriteFile(dir, QStringLiteral("Lista_Ndst.htm"), GeneratedPage(heading, sections));
    }

    // Answer the save dialog with path and form, remembering what was offered.
    void AnswerSaveWith(const QString& path, SaveFormat format) {
        browser.SetSaveDialog([this, path, format](QWidget*, SaveOffer offer, const QString&) {
            offers.push_back(offer);
            return SaveTarget{path, format};
        });
    }

    // Count the pages of a PDF written by Qt (each page is one "/Type /Page" object).
    static int PdfPages(const std::string& bytes) {
        int pages = 0;
        for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos;
             at = bytes.find("/Type /Page", at + 1)) {
            if (bytes.compare(at, 12, "/Type /Pages") != 0)
                ++pages;
        }
        return pages;
    }

    QTemporaryDir dir;
    TEmbeddedWB browser;
    std::vector<SaveOffer> offers;
};

TEST(DecodePage, ReadsEachEncodingAPageCanArriveIn) {
    struct Case {
        const char* Name;
        std::string Bytes;
        QString Text;
    };
    const QString polish = QStringLiteral("zażółć");
    const Case cases[] = {
        {"declared windows-1250",
         "<meta content=\"text/html; charset=windows-1250\">za\xBF\xF3\xB3\xE6", polish},
        {"declared in capitals",
         "<META CONTENT=\"text/html; CHARSET=WINDOWS-1250\">za\xBF\xF3\xB3\xE6", polish},
        {"declared with quotes", "<meta charset='cp1250'>za\xBF\xF3\xB3\xE6", polish},
        {"declared utf-8", "<meta charset=\"utf-8\">za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", polish},
        {"undeclared valid utf-8", "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", polish},
        {"undeclared cp1250", "za\xBF\xF3\xB3\xE6", polish},
        {"utf-8 byte-order mark", "\xEF\xBB\xBFza\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", polish},
        {"utf-16 byte-order mark", std::string("\xFF\xFEz\0a\0|\x01", 8), QStringLiteral("zaż")},
        {"empty", "", QString()},
    };
    for (const Case& c : cases) {
        const QString text = DecodePage(c.Bytes);
        EXPECT_TRUE(text.endsWith(c.Text)) << c.Name << ": " << text.toStdString();
    }
}

TEST(ResolveSaveTarget, TakesTheFormFromTheNameBeforeTheFilter) {
    struct Case {
        QString Path;
        SaveFormat Filter;
        SaveOffer Offer;
        QString ExpectedPath;
        SaveFormat ExpectedFormat;
    };
    const Case cases[] = {
        {"/t/a.htm", SaveFormat::Html, SaveOffer::HtmlOrPdf, "/t/a.htm", SaveFormat::Html},
        {"/t/a.HTML", SaveFormat::Pdf, SaveOffer::HtmlOrPdf, "/t/a.HTML", SaveFormat::Html},
        {"/t/a.pdf", SaveFormat::Html, SaveOffer::HtmlOrPdf, "/t/a.pdf", SaveFormat::Pdf},
        {"/t/a", SaveFormat::Html, SaveOffer::HtmlOrPdf, "/t/a.htm", SaveFormat::Html},
        {"/t/a", SaveFormat::Pdf, SaveOffer::HtmlOrPdf, "/t/a.pdf", SaveFormat::Pdf},
        {"/t/a.txt", SaveFormat::Html, SaveOffer::HtmlOrPdf, "/t/a.txt.htm", SaveFormat::Html},
        {"/t/a.htm", SaveFormat::Pdf, SaveOffer::PdfOnly, "/t/a.htm.pdf", SaveFormat::Pdf},
        {"/t/a", SaveFormat::Html, SaveOffer::PdfOnly, "/t/a.pdf", SaveFormat::Pdf},
        {"/t/a", SaveFormat::Html, SaveOffer::PdfOfSet, "/t/a.pdf", SaveFormat::Pdf},
        {"/t/a.htm", SaveFormat::Html, SaveOffer::PdfOfSet, "/t/a.htm.pdf", SaveFormat::Pdf},
        {"", SaveFormat::Html, SaveOffer::HtmlOrPdf, "", SaveFormat::Html},
    };
    for (const Case& c : cases) {
        const SaveTarget target = ResolveSaveTarget(c.Path, c.Filter, c.Offer);
        EXPECT_EQ(target.Path, c.ExpectedPath) << c.Path.toStdString();
        EXPECT_EQ(target.Format, c.ExpectedFormat) << c.Path.toStdString();
    }
}

TEST_F(EmbeddedBrowser, ShowsAGeneratedPageWithItsPolishLetters) {
    Open(WritePage("UCZNIOWIE Z OCENAMI NIEDOSTATECZNYMI"));
    const QString text = browser.toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("UCZNIOWIE Z OCENAMI NIEDOSTATECZNYMI")));
    EXPECT_TRUE(text.contains(QStringLiteral("Zażółć Gęślą-Jaźń")));
    EXPECT_TRUE(text.contains(QStringLiteral("Świętokrzyska Łucja")));
    // The page's style block is not shown as text.
    EXPECT_FALSE(text.contains(QStringLiteral("scrollbar")));
    EXPECT_TRUE(browser.HasDocument());
    // The body's side and top margins reach the document.
    const QTextFrameFormat frame = browser.document()->rootFrame()->frameFormat();
    EXPECT_EQ(frame.leftMargin(), 20);
    EXPECT_EQ(frame.rightMargin(), 20);
    EXPECT_EQ(frame.topMargin(), 0);
}

TEST_F(EmbeddedBrowser, CompletesOncePerNavigationAndAgainOnReload) {
    const std::string path = WritePage("PIERWSZY");
    QSignalSpy complete(&browser, &TEmbeddedWB::OnDocumentComplete);
    browser.Navigate(path);
    EXPECT_EQ(complete.count(), 0) << "navigation returns before the document completes";
    ASSERT_TRUE(complete.wait(2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(complete.count(), 1);

    browser.Navigate(path);
    ASSERT_TRUE(complete.wait(2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(complete.count(), 2);
}

TEST_F(EmbeddedBrowser, ANavigationOvertakenBeforeItCompletedIsNotReported) {
    const std::string first = WriteFile(dir, "a.htm", GeneratedPage("PIERWSZY", 1));
    const std::string second = WriteFile(dir, "b.htm", GeneratedPage("DRUGI", 1));
    QSignalSpy complete(&browser, &TEmbeddedWB::OnDocumentComplete);
    browser.Navigate(first);
    browser.Navigate(second);
    ASSERT_TRUE(complete.wait(2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(complete.count(), 1);
    EXPECT_TRUE(browser.toPlainText().contains("DRUGI"));
    EXPECT_EQ(browser.DocumentPath(), second);
}

TEST_F(EmbeddedBrowser, AMissingFileShowsANoticeAndOffersNothingToSaveOrPrint) {
    Open(Cp1250FromQString(dir.filePath("brak.htm")));
    EXPECT_FALSE(browser.HasDocument());
    EXPECT_TRUE(browser.toPlainText().contains(QStringLiteral("Nie można wyświetlić dokumentu")));
    AnswerSaveWith(dir.filePath("kopia.htm"), SaveFormat::Html);
    EXPECT_EQ(browser.SaveAs(), ViewerResult::NoDocument);
    EXPECT_EQ(browser.Print(), ViewerResult::NoDocument);
    EXPECT_TRUE(offers.empty()) << "no dialog for a document that is not there";
    EXPECT_FALSE(QFile::exists(dir.filePath("kopia.htm")));
}

TEST_F(EmbeddedBrowser, SaveAsWritesThePageUnchangedOrAPdfAndNothingElse) {
    const std::string page = WritePage("ZAPIS", 5);
    Open(page);
    enum class Expect { SameBytes, Pdf, NoFile };
    struct Case {
        QString Answer; // relative to the folder; empty: cancelled
        SaveFormat Format;
        ViewerResult Result;
        Expect File;
    };
    const Case cases[] = {
        {"kopia.htm", SaveFormat::Html, ViewerResult::Done, Expect::SameBytes},
        {"kopia.pdf", SaveFormat::Pdf, ViewerResult::Done, Expect::Pdf},
        {"", SaveFormat::Html, ViewerResult::Cancelled, Expect::NoFile},
        {"brak/kopia.htm", SaveFormat::Html, ViewerResult::Failed, Expect::NoFile},
        {"brak/kopia.pdf", SaveFormat::Pdf, ViewerResult::Failed, Expect::NoFile},
        // Letters outside the code page would turn into '?', and the copy
        // would land under another name.
        {"Протокол.htm", SaveFormat::Html, ViewerResult::Failed, Expect::NoFile},
    };
    for (const Case& c : cases) {
        const QString path = c.Answer.isEmpty() ? QString() : dir.filePath(c.Answer);
        AnswerSaveWith(path, c.Format);
        EXPECT_EQ(browser.SaveAs(), c.Result) << c.Answer.toStdString();
        const std::string saved =
            path.isEmpty() ? std::string() : ReadBytes(Utf8Path(path.toStdString()));
        switch (c.File) {
        case Expect::SameBytes:
            EXPECT_EQ(saved, ReadWholeFile(page));
            break;
        case Expect::Pdf:
            EXPECT_TRUE(saved.starts_with("%PDF"));
            EXPECT_EQ(PdfPages(saved), 1);
            break;
        case Expect::NoFile:
            EXPECT_FALSE(!path.isEmpty() && QFile::exists(path)) << c.Answer.toStdString();
            break;
        }
    }
    EXPECT_EQ(offers, std::vector<SaveOffer>(std::size(cases), SaveOffer::HtmlOrPdf));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "page, copy and PDF only";
}

TEST_F(EmbeddedBrowser, CopyAllPutsTheWholeTextOnTheClipboardAndLeavesNothingSelected) {
    Open(WritePage("KOPIA", 4));
    QGuiApplication::clipboard()->setText("stare");
    // A partial selection must not limit what is copied.
    QTextCursor cursor = browser.textCursor();
    cursor.setPosition(3);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    browser.setTextCursor(cursor);

    browser.CopyAll();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), browser.toPlainText());
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("Mścisław")));
    EXPECT_FALSE(browser.textCursor().hasSelection());
}

TEST_F(EmbeddedBrowser, PrintingAtOnceUsesThePrinterWithoutADialog) {
    Open(WritePage("DRUK", 200));
    const QString pdf = dir.filePath("druk.pdf");
    int printers = 0;
    browser.SetPrinterFactory([&] {
        ++printers;
        return PdfPrinter(pdf);
    });
    browser.Options().PrintWithoutDialog = true;
    EXPECT_EQ(browser.Print(), ViewerResult::Done);
    EXPECT_EQ(printers, 1);
    const std::string bytes = ReadBytes(Utf8Path(pdf.toStdString()));
    ASSERT_TRUE(bytes.starts_with("%PDF"));
    EXPECT_GT(PdfPages(bytes), 3) << "a long document is split over pages";
}

TEST_F(EmbeddedBrowser, WithoutAPrinterThePrintIsOfferedAsAPdfFile) {
    Open(WritePage("DRUK"));
    browser.SetPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
    browser.Options().PrintWithoutDialog = true;

    const QString pdf = dir.filePath("wydruk.pdf");
    AnswerSaveWith(pdf, SaveFormat::Pdf);
    EXPECT_EQ(browser.Print(), ViewerResult::Done);
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0], SaveOffer::PdfOnly);
    EXPECT_TRUE(ReadBytes(Utf8Path(pdf.toStdString())).starts_with("%PDF"));

    AnswerSaveWith(QString(), SaveFormat::Pdf);
    EXPECT_EQ(browser.Print(), ViewerResult::Cancelled);
}

TEST_F(EmbeddedBrowser, APrintThatCannotBeWrittenIsReportedAsFailed) {
    Open(WritePage("DRUK"));
    browser.SetPrinterFactory([this] { return PdfPrinter(dir.filePath("brak/druk.pdf")); });
    browser.Options().PrintWithoutDialog = true;
    EXPECT_EQ(browser.Print(), ViewerResult::Failed);
}

TEST_F(EmbeddedBrowser, PrintPreviewOpensMaximised) {
    Open(WritePage("PODGLĄD"));
    browser.SetPrinterFactory([] { return PdfPrinter(QString()); });
    bool maximised = false;
    testing::WhenModalOf<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        maximised = preview->windowState().testFlag(Qt::WindowMaximized);
        preview->close();
    });
    browser.PrintPreview(Qt::WindowMaximized);
    EXPECT_TRUE(maximised);
}

TEST_F(EmbeddedBrowser, APageShowsPicturesFromItsFolderOnlyOnScreenAndOnPaper) {
    QTemporaryDir elsewhere;
    const std::string outside = WriteFile(elsewhere, "obraz.png", TallPicturePng());
    WriteFile(dir, "obraz.png", TallPicturePng());
    const std::string folder = dir.path().toStdString();
    const PipeFeeder pipe(folder + "/potok.png", TallPicturePng());
    // Shown, so that the viewer lays its page out; the picture's height shows
    // in the page's, and the picture itself in the print.
    browser.resize(400, 300);
    browser.show();
    const struct {
        std::string Source;
        bool Shown;
    } cases[] = {{"obraz.png", true}, {outside, false}, {"potok.png", false}, {"/dev/zero", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Source);
        Open(WriteFile(dir, "strona.htm", "<p><img src=\"" + c.Source + "\"></p>"));
        const qreal height = browser.document()->documentLayout()->documentSize().height();
        EXPECT_EQ(height >= 200, c.Shown) << height;
        const QString pdf = dir.filePath("strona.pdf");
        ASSERT_TRUE(browser.PrintDocument(*PdfPrinter(pdf)));
        const std::string images = RunCommand("pdfimages -list '" + pdf.toStdString() + "'");
        EXPECT_EQ(images.find("   40   200 ") != std::string::npos, c.Shown) << images;
    }
    EXPECT_FALSE(pipe.Opened()) << "the pipe was opened";
}

TEST_F(EmbeddedBrowser, LinksLeadOnlyToPagesInsideTheFolder) {
    QTemporaryDir elsewhere;
    const std::string outside = WriteFile(elsewhere, "tajne.htm", "<p>TAJNE</p>");
    const std::string folder = dir.path().toStdString();
    // Where the system has no named pipes, the missing file is refused alike.
    testing::MakeNamedPipe(folder + "/potok.png");
    fs::create_symlink(outside, folder + "/skrot.htm");
    Open(WritePage("OBCE"));

    // Links to such files leave the shown document in place.
    const std::string shown = browser.DocumentPath();
    for (const QUrl& link : {QUrl::fromLocalFile(QString::fromStdString(outside)),
                             QUrl("skrot.htm"), QUrl("potok.png"), QUrl("/dev/zero")}) {
        emit browser.anchorClicked(link);
        EXPECT_EQ(browser.DocumentPath(), shown) << link.toString().toStdString();
    }
    // A page beside the document still opens.
    WriteFile(dir, "drugi.htm", "<p>DRUGI</p>");
    emit browser.anchorClicked(QUrl("drugi.htm"));
    EXPECT_EQ(browser.DocumentPath(), folder + "/drugi.htm");
}

} // namespace
} // namespace notarion
