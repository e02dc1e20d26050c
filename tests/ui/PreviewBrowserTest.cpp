#include "ui/TFBrowserMini.h"

#include "ViewerTestSupport.h"
#include "app/SharedState.h"
#include "platform/TEmbeddedWB.h"
#include "ui/SkinnedWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace notarion {
namespace {

using testing::GeneratedPage;
using testing::WriteFile;

class PreviewBrowser : public ::testing::Test {
protected:
    PreviewBrowser() : preview(state, &mainWindow) {
        state.AppFolder = Cp1250FromQString(dir.path()) + "/";
        state.TempFolder = state.AppFolder;
        mainWindow.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        mainWindow.setGeometry(60, 40, 776, 570);
        mainWindow.show();
        preview.SetHelpOpener(HelpOpener([this](const QUrl& url) { opened.push_back(url); }));
        page = WriteFile(dir, "Temp.htm", GeneratedPage("PODGLĄD ZAWARTOŚCI", 2));
    }

    // Load the preview file, show the window modally and let act work in it.
    void RunModal(std::function<void()> act) {
        preview.LoadPreviewFile(page);
        testing::WhenModalOf<TFBrowserMini>([act](TFBrowserMini*) { act(); });
        preview.exec();
    }

    QTemporaryDir dir;
    SharedState state;
    QWidget mainWindow;
    TFBrowserMini preview;
    std::string page;
    std::vector<QUrl> opened;
};

TEST_F(PreviewBrowser, ShowsThePreviewFileOverTheMainWindow) {
    QPoint position;
    QString text;
    RunModal([&] {
        position = preview.pos();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return preview.WebBrowser->toPlainText().contains(QStringLiteral("PODGLĄD")); }));
        text = preview.WebBrowser->toPlainText();
        preview.close();
    });
    EXPECT_EQ(position, mainWindow.pos() + QPoint(72, 74));
    EXPECT_TRUE(text.contains(QStringLiteral("Zażółć Gęślą-Jaźń")));
}

TEST_F(PreviewBrowser, CtrlCCopiesTheWholeDocumentAndLeavesNothingSelected) {
    QString copied;
    QString whole;
    bool selected = true;
    RunModal([&] {
        QGuiApplication::clipboard()->setText("stare");
        QTest::keyClick(preview.WebBrowser, Qt::Key_C, Qt::ControlModifier);
        copied = QGuiApplication::clipboard()->text();
        whole = preview.WebBrowser->toPlainText();
        selected = preview.WebBrowser->textCursor().hasSelection();
        preview.close();
    });
    EXPECT_EQ(copied, whole);
    EXPECT_FALSE(selected);
}

TEST_F(PreviewBrowser, EscAndTheCrossCloseTheWindow) {
    RunModal([&] { QTest::keyClick(preview.WebBrowser, Qt::Key_Escape); });
    EXPECT_FALSE(preview.isVisible());
    RunModal([&] { QTest::keyClick(&preview, Qt::Key_Escape); });
    EXPECT_FALSE(preview.isVisible());
    RunModal([&] {
        QTest::mouseClick(preview.LCloseBrowser, Qt::LeftButton, {},
                          preview.LCloseBrowser->rect().center());
    });
    EXPECT_FALSE(preview.isVisible());
}

TEST_F(PreviewBrowser, F1OpensTheHelpIndexBesideTheProgram) {
    RunModal([&] {
        QTest::keyClick(preview.WebBrowser, Qt::Key_F1);
        preview.close();
    });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(dir.path() + "/Pomoc/index.htm"));
}

TEST_F(PreviewBrowser, EveryCompletedDocumentLosesItsBorderAgain) {
    QSignalSpy complete(preview.WebBrowser, &TEmbeddedWB::OnDocumentComplete);
    for (int load = 0; load < 2; ++load) {
        preview.WebBrowser->setFrameShape(QFrame::Box);
        preview.LoadPreviewFile(page);
        ASSERT_TRUE(complete.wait(2000));
        EXPECT_EQ(preview.WebBrowser->frameShape(), QFrame::NoFrame) << "load " << load;
    }
}

} // namespace
} // namespace notarion
