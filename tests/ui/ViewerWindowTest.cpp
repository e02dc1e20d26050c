#include "ui/TFBrowser.h"

#include "ViewerTestSupport.h"
#include "app/SharedState.h"
#include "generate/DocumentSet.h"
#include "generate/SetSummary.h"
#include "platform/PdfOutline.h"
#include "platform/TEmbeddedWB.h"
#include "system/AtomicFile.h"
#include "ui/SkinnedWindow.h"
#include "ui/StatusLine.h"
#include "ui/TDotFrame.h"
#include "ui/TFBrowserMini.h"
#include "ui/TFWarning.h"
#include "ui/TFWyborOpcji.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace notarion {
namespace {

using testing::GeneratedPage;
using testing::ReadBytes;
using testing::Utf8Path;
using testing::WriteFile;

// A mouse move over widget with buttons held, delivered to it directly: the
// offscreen platform routes pointer moves to whichever window it finds first
// under the point, which may be the main window behind the viewer.
void MoveOver(QWidget* widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class ViewerWindow : public ::testing::Test {
protected:
    ViewerWindow() : browser(state, &mainWindow, chooser, warning) {
        QDir(dir.path()).mkpath("Protokoly");
        QDir(dir.path()).mkpath("Pomoc");
        state.AppFolder = Cp1250FromQString(dir.path()) + "/";
        state.OutputFolder = Cp1250FromQString(dir.filePath("Protokoly"));
        // Every document of the set carries its own file name as heading.
        for (int option = 0; option < DocumentCount; ++option) {
            const std::string name = DocumentFileForOption(option);
            WriteWholeFile(DocumentPath(state.OutputFolder, name), GeneratedPage(name, 3),
                           NamedBy::User);
        }
        const std::string summary(SummaryFileName);
        WriteWholeFile(DocumentPath(state.OutputFolder, summary), GeneratedPage(summary, 1),
                       NamedBy::User);
        mainWindow.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        mainWindow.setGeometry(40, 30, 776, 570);
        mainWindow.show();
        browser.SetHelpOpener(HelpOpener([this](const QUrl& url) { opened.push_back(url); }));
        browser.Rameczka->SetCursorSource([this] { return cursor; });
        browser.WebBrowser->SetPrinterFactory([this] {
            ++prints;
            return PdfPrinter(dir.filePath(QStringLiteral("druk%1.pdf").arg(prints)));
        });
    }

    ~ViewerWindow() override { browser.hide(); }

    // Show the viewer without a modal loop and wait for document option.
    void ShowOpen(int option) {
        browser.show();
        QSignalSpy complete(browser.WebBrowser, &TEmbeddedWB::OnDocumentComplete);
        browser.ShowDocument(option);
        ASSERT_TRUE(complete.wait(2000));
    }

    bool Shows(const std::string& fileName) const {
        return browser.WebBrowser->toPlainText().contains(QString::fromStdString(fileName));
    }

    // Drag the grip to a cursor dy pixels below the window's top.
    void DragGripTo(int dy) {
        HotArea* grip = browser.LCiongnij;
        cursor = browser.pos() + QPoint(800, 300);
        QTest::mousePress(grip, Qt::LeftButton, {}, grip->rect().center());
        cursor = browser.pos() + QPoint(820, dy);
        MoveOver(grip, grip->rect().center() + QPoint(0, 5), Qt::LeftButton);
        QTest::mouseRelease(grip, Qt::LeftButton, {}, grip->rect().center() + QPoint(0, 5));
    }

    void ExpectLaidOutFor(int height) {
        EXPECT_EQ(browser.size(), QSize(850, height));
        EXPECT_EQ(browser.Pdown->geometry(), QRect(0, height - 32, 850, 34));
        // The viewer, scroll bars and all, ends where the band begins.
        EXPECT_EQ(browser.PPodWebbrowser->geometry(), QRect(155, 48, 670, height - 80));
        EXPECT_EQ(browser.WebBrowser->geometry(), QRect(QPoint(0, 0), QSize(670, height - 80)));
        // The commands keep to their column, left of the viewer.
        for (const HotArea* command : browser.findChildren<HotArea*>()) {
            if (!command->text().isEmpty()) {
                EXPECT_LT(command->geometry().right(), browser.PPodWebbrowser->x());
            }
        }
        const QScrollBar* bar = browser.WebBrowser->verticalScrollBar();
        EXPECT_LE(bar->mapTo(&browser, QPoint(0, bar->height())).y(), browser.Pdown->y());
        EXPECT_EQ(browser.mask(), RoundedRegion(850, height, 12, 12));
    }

    // Choose in the option chooser: select option (or cancel with -1).
    void ChooseInChooser(int option) {
        testing::WhenModalOf<TFWyborOpcji>([option](TFWyborOpcji* open) {
            if (option < 0) {
                QTest::mouseClick(open->LAnuluj, Qt::LeftButton, {},
                                  open->LAnuluj->rect().center());
                return;
            }
            open->ListaOpcji->setCurrentRow(option);
            QTest::mouseClick(open->LWprowadz, Qt::LeftButton, {},
                              open->LWprowadz->rect().center());
        });
        QTest::mouseClick(browser.LWyborOpcji, Qt::LeftButton, {},
                          browser.LWyborOpcji->rect().center());
    }

    QTemporaryDir dir;
    SharedState state;
    QWidget mainWindow;
    TFWyborOpcji chooser;
    TFWarning warning;
    TFBrowser browser;
    QPoint cursor;
    int prints = 0;
    std::vector<QUrl> opened;
};

TEST_F(ViewerWindow, OpensLaidOutForItsOpeningHeight) {
    EXPECT_FALSE(browser.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(browser.WebBrowser->focusPolicy() & Qt::TabFocus) << "no Tab stop";
    ExpectLaidOutFor(500);
}

TEST_F(ViewerWindow, FirstDocumentAppearsAbout200MsAfterTheWindowOpens) {
    QElapsedTimer clock;
    qint64 shownAt = -1;
    qint64 completedAt = -1;
    std::string pathWhenShown = "?";
    QPoint position;
    QObject::connect(browser.WebBrowser, &TEmbeddedWB::OnDocumentComplete, &browser,
                     [&] { completedAt = clock.elapsed(); });
    testing::WhenModalOf<TFBrowser>([&](TFBrowser* open) {
        shownAt = clock.elapsed();
        pathWhenShown = open->WebBrowser->DocumentPath();
        position = open->pos();
        EXPECT_TRUE(QTest::qWaitFor([&] { return completedAt >= 0; }, 3000));
        QTest::mouseClick(open->LClose, Qt::LeftButton, {}, open->LClose->rect().center());
    });
    clock.start();
    browser.ShowDocument(0);

    EXPECT_EQ(pathWhenShown, "") << "nothing is loaded before the timer runs";
    EXPECT_GE(completedAt - shownAt, 150);
    EXPECT_LT(completedAt - shownAt, 2000);
    EXPECT_TRUE(Shows("Lista_WzoroweZachowanie.htm"));
    EXPECT_EQ(browser.CurrentDocumentPath, state.OutputFolder + "/Lista_WzoroweZachowanie.htm");
    EXPECT_EQ(position, mainWindow.pos() + QPoint(30, 50));
    EXPECT_FALSE(browser.isVisible());
}

TEST_F(ViewerWindow, ChoosingTheSameDocumentOrCancellingChangesNothing) {
    ShowOpen(5);
    DragGripTo(580);
    ASSERT_EQ(browser.height(), 580);
    QSignalSpy complete(browser.WebBrowser, &TEmbeddedWB::OnDocumentComplete);

    ChooseInChooser(5);
    ChooseInChooser(-1);
    QCoreApplication::processEvents();
    EXPECT_EQ(complete.count(), 0);
    EXPECT_EQ(browser.CurrentOption, 5);
    EXPECT_EQ(browser.height(), 580);
    EXPECT_TRUE(Shows("Prot_KlasyfikacjaZachowanie.htm"));
}

TEST_F(ViewerWindow, ChoosingAnotherDocumentReloadsAtTheOpeningSize) {
    ShowOpen(0);
    DragGripTo(450);
    ASSERT_EQ(browser.height(), 450);
    QSignalSpy complete(browser.WebBrowser, &TEmbeddedWB::OnDocumentComplete);

    ChooseInChooser(11);
    ASSERT_TRUE(complete.wait(2000));
    EXPECT_EQ(browser.CurrentOption, 11);
    EXPECT_TRUE(Shows("Prot_GodzinyKartowe.htm"));
    ExpectLaidOutFor(500);
}

TEST_F(ViewerWindow, ZestawienieAndAltZShowTheFiguresAndTheChooserLeadsBack) {
    ShowOpen(5);
    QSignalSpy complete(browser.WebBrowser, &TEmbeddedWB::OnDocumentComplete);
    EXPECT_EQ(browser.LZestawienie->text(), QStringLiteral("<u>Z</u>estawienie"));
    QTest::mouseClick(browser.LZestawienie, Qt::LeftButton, {},
                      browser.LZestawienie->rect().center());
    ASSERT_TRUE(complete.wait(2000));
    EXPECT_TRUE(Shows("Zestawienie.htm"));
    EXPECT_EQ(browser.CurrentOption, 5);

    // The document shown before the figures is chosen again from them.
    ChooseInChooser(5);
    ASSERT_TRUE(complete.wait(2000));
    EXPECT_TRUE(Shows("Prot_KlasyfikacjaZachowanie.htm"));

    QTest::keyClick(&browser, Qt::Key_Z, Qt::AltModifier);
    ASSERT_TRUE(complete.wait(2000));
    EXPECT_TRUE(Shows("Zestawienie.htm"));
    EXPECT_EQ(browser.CurrentDocumentPath, state.OutputFolder + "/Zestawienie.htm");
}

TEST_F(ViewerWindow, GripReleaseSetsTheHeightWithinItsLimits) {
    ShowOpen(0);
    struct Case {
        int CursorBelowTop;
        int Height;
    };
    const Case cases[] = {{700, 600}, {100, 400}, {550, 550}, {-50, 400}, {600, 600}, {400, 400}};
    for (const Case& c : cases) {
        DragGripTo(c.CursorBelowTop);
        EXPECT_FALSE(browser.Rameczka->Visible());
        ExpectLaidOutFor(c.Height);
    }
}

TEST_F(ViewerWindow, GripShowsTheFrameFromTheWindowCornerToTheCursorWhileDragging) {
    ShowOpen(0);
    HotArea* grip = browser.LCiongnij;
    cursor = browser.pos() + QPoint(830, 480);
    QTest::mousePress(grip, Qt::RightButton, {}, grip->rect().center());
    EXPECT_TRUE(browser.Rameczka->Tracking());
    cursor = browser.pos() + QPoint(833, 560);
    MoveOver(grip, grip->rect().center() + QPoint(3, 80), Qt::RightButton);
    EXPECT_EQ(browser.Rameczka->Overlay()->geometry(), QRect(browser.pos(), QSize(833, 560)));
    EXPECT_TRUE(browser.Rameczka->Overlay()->isVisible());
    QTest::mouseRelease(grip, Qt::RightButton, {}, grip->rect().center() + QPoint(3, 80));
    EXPECT_FALSE(browser.Rameczka->Overlay()->isVisible());
    EXPECT_EQ(browser.height(), 560);
}

TEST_F(ViewerWindow, DrukujPrintsAtOnceExceptForShiftWithTheLeftButton) {
    ShowOpen(2);
    HotArea* drukuj = browser.LDrukuj;
    const QPoint at = drukuj->rect().center();

    auto press = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        QTest::mousePress(drukuj, button, modifiers, at);
        QTest::mouseRelease(drukuj, button, modifiers, at);
    };
    {
        const testing::ModalGuard printsWithoutAnyDialog;
        press(Qt::RightButton, {});
    }
    EXPECT_EQ(prints, 1) << "a right press prints";
    EXPECT_TRUE(ReadBytes(Utf8Path(dir.filePath("druk1.pdf").toStdString())).starts_with("%PDF"));
    EXPECT_TRUE(browser.WebBrowser->Options().PrintWithoutDialog);
    EXPECT_TRUE(browser.WebBrowser->Options().Header.empty());
    EXPECT_TRUE(browser.WebBrowser->Options().Footer.empty());

    bool maximised = false;
    testing::WhenModalOf<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        maximised = preview->windowState().testFlag(Qt::WindowMaximized);
        preview->close();
    });
    press(Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(maximised) << "Shift with a left press previews";
    const int printsAfterPreview = prints;

    const testing::ModalGuard printsWithoutAnyDialog;
    press(Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(prints, printsAfterPreview + 1) << "Ctrl, Shift and a left press prints";
    press(Qt::LeftButton, {});
    EXPECT_EQ(prints, printsAfterPreview + 2) << "a plain left press prints";
    press(Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(prints, printsAfterPreview + 3) << "Shift with a right press prints";
}

TEST_F(ViewerWindow, AFailedPrintIsReportedInPolish) {
    ShowOpen(2);
    browser.WebBrowser->SetPrinterFactory(
        [this] { return PdfPrinter(dir.filePath("brak/x.pdf")); });
    QString message;
    testing::WhenModal([this](QWidget* w) { return w != &browser; },
                       [&](QWidget* box) {
                           message = testing::LabelTexts(box);
                           box->close();
                       });
    QTest::mousePress(browser.LDrukuj, Qt::RightButton, {}, browser.LDrukuj->rect().center());
    EXPECT_TRUE(message.contains(QStringLiteral("Nie udało się wydrukować dokumentu.")))
        << message.toStdString();
    EXPECT_TRUE(browser.isVisible());
}

TEST_F(ViewerWindow, KopiujAndZapiszWorkOnTheShownDocument) {
    ShowOpen(4);
    QGuiApplication::clipboard()->setText("stare");
    QTest::mouseClick(browser.LKopiuj, Qt::LeftButton, {}, browser.LKopiuj->rect().center());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), browser.WebBrowser->toPlainText());
    EXPECT_FALSE(browser.WebBrowser->textCursor().hasSelection());

    const QString copy = dir.filePath("kopia.htm");
    browser.WebBrowser->SetSaveDialog([copy](QWidget*, SaveOffer, const QString&) {
        return SaveTarget{copy, SaveFormat::Html};
    });
    QTest::mouseClick(browser.LZapisz, Qt::LeftButton, {}, browser.LZapisz->rect().center());
    EXPECT_EQ(ReadBytes(Utf8Path(copy.toStdString())), ReadWholeFile(browser.CurrentDocumentPath));
}

TEST_F(ViewerWindow, SetCommandsSaveAndPrintTheWholeSetOfTheOutputFolder) {
    ShowOpen(3);
    std::vector<SaveOffer> offers;
    QString suggested;
    const QString saved = dir.filePath("zestaw.pdf");
    browser.WebBrowser->SetSaveDialog([&](QWidget*, SaveOffer offer, const QString& path) {
        offers.push_back(offer);
        suggested = path;
        return SaveTarget{saved, SaveFormat::Pdf};
    });
    QTest::mouseClick(browser.LZapiszZestaw, Qt::LeftButton, {},
                      browser.LZapiszZestaw->rect().center());
    EXPECT_EQ(offers, std::vector<SaveOffer>{SaveOffer::PdfOfSet});
    const QDate day =
        QFileInfo(QString::fromStdString(browser.CurrentDocumentPath)).lastModified().date();
    EXPECT_EQ(suggested, dir.filePath("Protokoly/Protokoly_" +
                                      day.toString(QStringLiteral("yyyy-MM-dd")) + ".pdf"));
    const std::string pdf = ReadBytes(Utf8Path(saved.toStdString()));
    const std::vector<OutlineEntry> outline = ReadOutline(pdf);
    // The figures come right after the first page, before the fourteen documents.
    ASSERT_EQ(outline.size(), 15u);
    EXPECT_EQ(outline[0].Title, u"Zestawienie wyników klasyfikacji");
    EXPECT_EQ(outline[0].Page, 1);
    EXPECT_EQ(outline[1].Title, u"Uczniowie z oceną wzorową z zachowania");
    // The band says what was saved, and its link opens the file's folder.
    const QString status = browser.LFolder->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("Zapisano PDF: ") +
                                  PageCountText(CountPdfPages(pdf)) + QStringLiteral(" \u2013 ")))
        << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("zestaw.pdf&nbsp;"))) << status.toStdString();
    std::vector<QUrl> folders;
    browser.SetFolderOpener([&](const QUrl& url) {
        folders.push_back(url);
        return true;
    });
    emit browser.LFolder->linkActivated(QStringLiteral("folder"));
    EXPECT_EQ(folders, std::vector<QUrl>{QUrl::fromLocalFile(dir.path())});

    int dialogs = 0;
    browser.SetPrintDialog([&](QWidget*, QPrinter&) { return ++dialogs > 0; });
    QTest::mouseClick(browser.LDrukujZestaw, Qt::LeftButton, {},
                      browser.LDrukujZestaw->rect().center());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(prints, 1) << "one job on the chosen printer";
    EXPECT_EQ(CountPdfPages(ReadBytes(Utf8Path(dir.filePath("druk1.pdf").toStdString()))),
              CountPdfPages(pdf));
    EXPECT_EQ(offers.size(), 1u) << "no file was asked for while a printer was there";
    EXPECT_TRUE(browser.isVisible());
}

TEST_F(ViewerWindow, ASetThatCannotBeReadIsReportedInPolish) {
    ShowOpen(0);
    QFile::remove(dir.filePath("Protokoly/Lista_Ndst.htm"));
    browser.WebBrowser->SetSaveDialog([this](QWidget*, SaveOffer, const QString&) {
        return SaveTarget{dir.filePath("zestaw.pdf"), SaveFormat::Pdf};
    });
    QString message;
    testing::WhenModal([this](QWidget* w) { return w != &browser; },
                       [&](QWidget* box) {
                           message = testing::LabelTexts(box);
                           box->close();
                       });
    QTest::mouseClick(browser.LZapiszZestaw, Qt::LeftButton, {},
                      browser.LZapiszZestaw->rect().center());
    EXPECT_TRUE(message.contains(QStringLiteral("Nie można odczytać dokumentu zestawu:")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Lista_Ndst.htm"))) << message.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("zestaw.pdf")));
}

// The lines a caption takes in a word-wrapped label of that width.
QStringList WrappedLines(const QString& caption, const QFont& font, int width) {
    QTextDocument rich;
    rich.setHtml(caption);
    const QString text = rich.toPlainText();
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

TEST_F(ViewerWindow, CommandsAreSetInTheListEditorsFontWithoutALoneEllipsis) {
    ShowOpen(0);
    for (const HotArea* command : browser.findChildren<HotArea*>()) {
        if (command->text().isEmpty())
            continue;
        SCOPED_TRACE(command->text().toStdString());
        EXPECT_EQ(command->font(), CommandFont());
        const QStringList lines = WrappedLines(command->text(), command->font(), command->width());
        EXPECT_LE(lines.size() * command->fontMetrics().lineSpacing(), command->height() + 1)
            << lines.join(u'|').toStdString();
        for (const QString& line : lines) {
            EXPECT_NE(line, QStringLiteral("\u2026"));
            EXPECT_NE(line, QStringLiteral("..."));
        }
    }
    // Grey, the colour of what is switched off, never marks the command
    // under the mouse.
    EXPECT_GT(browser.Commands()->HoverColour().hsvSaturation(), 128);
}

TEST_F(ViewerWindow, SetCommandsLightUpLikeTheOthers) {
    ShowOpen(0);
    const QColor normal = ColorFromBgr(layout::viewer::kCommandColour);
    const QColor hover = ColorFromBgr(layout::viewer::kCommandHoverColour);
    MoveOver(browser.LClose, browser.LClose->rect().center());
    MoveOver(browser.LZapiszZestaw, browser.LZapiszZestaw->rect().center());
    EXPECT_EQ(browser.LZapiszZestaw->TextColour(), hover);
    EXPECT_EQ(browser.LClose->TextColour(), normal);
    MoveOver(browser.LDrukujZestaw, browser.LDrukujZestaw->rect().center());
    EXPECT_EQ(browser.LDrukujZestaw->TextColour(), hover);
    EXPECT_EQ(browser.LZapiszZestaw->TextColour(), normal);
    MoveOver(browser.ImTlo, QPoint(60, 400));
    EXPECT_EQ(browser.LDrukujZestaw->TextColour(), normal);
}

TEST_F(ViewerWindow, KopiujKeepsTheViewWhereItWas) {
    WriteWholeFile(DocumentPath(state.OutputFolder, DocumentFileForOption(6)),
                   GeneratedPage("DŁUGI", 200), NamedBy::User);
    ShowOpen(6);
    QScrollBar* bar = browser.WebBrowser->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum() / 3);
    const int before = bar->value();
    QTest::mouseClick(browser.LKopiuj, Qt::LeftButton, {}, browser.LKopiuj->rect().center());
    EXPECT_EQ(bar->value(), before);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(browser.WebBrowser->toPlainText()));
}

TEST_F(ViewerWindow, TheTaskBarNamesTheProgram) {
    TFBrowserMini preview(state, &mainWindow);
    for (const QWidget* window :
         {static_cast<const QWidget*>(&browser), static_cast<const QWidget*>(&preview)})
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Notarion - prezentacja danych"));
}

TEST_F(ViewerWindow, MovingFromPreviewOntoCloseLeavesOnlyCloseHighlighted) {
    ShowOpen(0);
    const QColor normal = ColorFromBgr(layout::viewer::kCommandColour);
    const QColor hover = ColorFromBgr(layout::viewer::kCommandHoverColour);
    MoveOver(browser.LPodglond, browser.LPodglond->rect().center());
    EXPECT_EQ(browser.LPodglond->TextColour(), hover);
    MoveOver(browser.LClose, browser.LClose->rect().center());
    EXPECT_EQ(browser.LClose->TextColour(), hover);
    for (HotArea* command : {browser.LWyborOpcji, browser.LZapisz, browser.LKopiuj, browser.LDrukuj,
                             browser.LPodglond})
        EXPECT_EQ(command->TextColour(), normal);
    // The underline labels reset every command.
    MoveOver(browser.LKreska2, browser.LKreska2->rect().center());
    EXPECT_EQ(browser.LClose->TextColour(), normal);
}

TEST_F(ViewerWindow, AltF4AndEscAreSwallowedAndF1OpensTheReportHelp) {
    WriteFile(dir, "Pomoc/menuraport.htm", "<html></html>");
    ShowOpen(0);
    QTest::keyClick(&browser, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(&browser, Qt::Key_Escape);
    EXPECT_TRUE(browser.isVisible());
    QTest::keyClick(browser.WebBrowser, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(dir.path() + "/Pomoc/menuraport.htm"));
}

TEST_F(ViewerWindow, ShowingAgainClearsADragThatWasNotReleased) {
    ShowOpen(0);
    browser.Drag()->Press(QPoint(100, 100));
    browser.hide();
    browser.show();
    EXPECT_FALSE(browser.Drag()->DragActive());
    EXPECT_EQ(browser.pos(), mainWindow.pos() + QPoint(30, 50));
}

} // namespace
} // namespace notarion

namespace notarion {
namespace {

TEST_F(ViewerWindow, TheBandSaysWhereTheDocumentsAreAndTheFolderOpensInTheFileManager) {
    ShowOpen(0);
    const QString folder = dir.filePath("Protokoly");
    EXPECT_TRUE(browser.LFolder->isVisible());
    // The tooltip shows the folder's name as it is, whatever letters it has.
    QTextDocument tip;
    tip.setHtml(browser.LFolder->toolTip());
    EXPECT_EQ(tip.toPlainText(), folder);
    const QString line = browser.LFolder->text();
    EXPECT_TRUE(line.startsWith(QStringLiteral(u"Dokumenty: ")));
    EXPECT_TRUE(line.endsWith(QStringLiteral("Protokoly"))) << line.toStdString();
    EXPECT_LE(browser.LFolder->fontMetrics().horizontalAdvance(line), browser.LFolder->width());

    // A path too long for the band keeps its start and its end.
    state.OutputFolder = Cp1250FromQString(dir.path() + "/" + QString(200, u'x') + "/Protokoly");
    browser.ShowDocument(1);
    EXPECT_TRUE(browser.LFolder->text().startsWith(QStringLiteral(u"Dokumenty: ")));
    EXPECT_TRUE(browser.LFolder->text().endsWith(QStringLiteral("Protokoly")));
    EXPECT_LE(browser.LFolder->fontMetrics().horizontalAdvance(browser.LFolder->text()),
              browser.LFolder->width());

    std::vector<QUrl> shown;
    bool opens = true;
    browser.SetFolderOpener([&](const QUrl& url) {
        shown.push_back(url);
        return opens;
    });
    QString message;
    const auto click = [&] {
        QTest::mouseClick(browser.LOtworzFolder, Qt::LeftButton, {},
                          browser.LOtworzFolder->rect().center());
    };
    state.OutputFolder = Cp1250FromQString(folder);
    click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], QUrl::fromLocalFile(folder));
    // Without a file manager the user learns where to look.
    opens = false;
    testing::WhenModalOf<TFWarning>([&](TFWarning* box) {
        message = box->LTekstWarning->text();
        box->close();
    });
    click();
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_TRUE(message.contains(folder)) << message.toStdString();
}

} // namespace
} // namespace notarion
