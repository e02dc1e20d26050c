// Where the keyboard goes when a window closes: back to the window it was
// opened from, never to the main window hidden behind the list editor.

#include "ListEditorTestSupport.h"

#include "ui/TFAbout.h"

namespace notarion::testing {
namespace {

class KeyboardReturnTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        WriteReport("klasa_1a.xml", ClassReportXml("1a", "Anna Lis"));
        OpenEditorOn({{"Klasyfikacja klasy - 1a - Anna Lis", m_reportFolder + "/klasa_1a.xml",
                       "Klasyfikacja klasy"},
                      {"Klasyfikacja klasy - 1b - Jan Kos", m_reportFolder + "/klasa_1a.xml",
                       "Klasyfikacja klasy"}});
        Editor().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Editor()));
    }

    // The window that has the keyboard once the events of a close are handled.
    QWidget* ActiveAfterwards() {
        QTest::qWait(20);
        return QApplication::activeWindow();
    }
};

TEST_F(KeyboardReturnTest, TheListEditorKeepsTheKeyboardAfterEachWindowOpenedFromIt) {
    TFWarning& box = m_windows->FWarning();
    // The unsaved-list question, answered "Anuluj" with Esc and with the
    // box's own close area: the editor stays and takes the keys again.
    Editor().SetQuestion([&box](const std::u16string& text) {
        box.ShowWarning(ModeYesNoCancel, IconQuestion, text);
        return box.MessageResult();
    });
    Editor().MoveSelected(+1);
    for (const bool byEsc : {true, false}) {
        WhenShown(&box, [&box, byEsc] {
            if (byEsc) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                QTest::mouseClick(box.LClose, Qt::LeftButton);
            }
            if (box.isVisible()) {
                ADD_FAILURE() << "the question stayed open";
                box.reject();
            }
        });
        EXPECT_FALSE(Editor().close());
        EXPECT_EQ(ActiveAfterwards(), &Editor()) << (byEsc ? "Esc" : "close area");
    }

    // The preview window.
    WhenShown(&m_windows->FBrowserMini(), [this] { m_windows->FBrowserMini().close(); });
    Editor().PreviewSelected();
    EXPECT_EQ(ActiveAfterwards(), &Editor()) << "preview";

    // A report editor opened from the list.
    ReportEditor* report = Editor().EditReport(m_reportFolder + "/klasa_1a.xml");
    ASSERT_NE(report, nullptr);
    report->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(report));
    report->close();
    EXPECT_EQ(ActiveAfterwards(), &Editor()) << "report editor";
}

TEST_F(KeyboardReturnTest, TheMainWindowBehindTheListEditorPassesTheKeyboardOn) {
    // The about window is opened from the main window; while the list
    // editor stands over it, the keys belong to the editor.
    TFAbout& about = m_windows->FAbout();
    WhenShown(&about, [&about] { QTest::mouseClick(about.LClose, Qt::LeftButton); });
    QTest::mouseClick(Main().LAbout, Qt::LeftButton);
    EXPECT_EQ(ActiveAfterwards(), &Editor()) << "after the about window";

    Main().activateWindow();
    EXPECT_EQ(ActiveAfterwards(), &Editor()) << "after a click on the main window";

    // Without the editor the main window keeps the keys it is given.
    Editor().hide();
    Main().activateWindow();
    EXPECT_EQ(ActiveAfterwards(), &Main());
}

} // namespace
} // namespace notarion::testing
