// The message box: every key and click in both button sets, the Tab
// filter, and what is kept from one message to the next.

#include "ShellTestSupport.h"

#include "platform/QtText.h"
#include "reports/MessageSink.h"
#include "ui/TFWarning.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include <functional>
#include <vector>

namespace notarion {
namespace {

using testing::WhenShown;

// One step of driving the box: a key (with modifiers) or a click on a component.
struct Step {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    HotArea* TFWarning::*click = nullptr;
};

Step Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return Step{key, modifiers, nullptr};
}

Step Click(HotArea* TFWarning::*component) {
    return Step{Qt::Key_unknown, Qt::NoModifier, component};
}

class MessageBoxTest : public ::testing::Test {
protected:
    // Show a message, run the steps inside its modal loop and return the
    // answer. A box that the steps leave open is a failure; it is then
    // closed so the test goes on.
    int Answer(int mode, const std::vector<Step>& steps, int icon = IconInfo,
               const std::u16string& text = u"Tekst") {
        WhenShown(&m_box, [this, steps] {
            for (const Step& step : steps) {
                if (!m_box.isVisible()) {
                    ADD_FAILURE() << "the box closed before every step was taken";
                    return;
                }
                if (step.click != nullptr) {
                    QTest::mouseClick(m_box.*step.click, Qt::LeftButton);
                } else {
                    QTest::keyClick(&m_box, step.key, step.modifiers);
                }
            }
            if (m_box.isVisible()) {
                ADD_FAILURE() << "the steps left the box open";
                m_box.reject();
            }
        });
        m_box.ShowWarning(mode, icon, text);
        return m_box.MessageResult();
    }

    TFWarning m_box;
};

TEST_F(MessageBoxTest, CloseOnlySetAnswersZeroToEveryClosingKeyAndClick) {
    const std::vector<std::vector<Step>> closings = {
        {Key(Qt::Key_Return)},
        {Key(Qt::Key_Enter, Qt::KeypadModifier)},
        {Key(Qt::Key_Escape)},
        {Key(Qt::Key_Z)},
        {Key(Qt::Key_Z, Qt::ShiftModifier)},
        {Key(Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier)},
        {Click(&TFWarning::LClose)},
        {Click(&TFWarning::ImButZamknij)},
        // Arrows and Tab change nothing, and T, N, A are not on offer.
        {Key(Qt::Key_Left), Key(Qt::Key_Right), Key(Qt::Key_Tab), Key(Qt::Key_Return)},
        {Key(Qt::Key_T), Key(Qt::Key_N), Key(Qt::Key_A), Key(Qt::Key_P), Key(Qt::Key_X),
         Key(Qt::Key_Z)},
    };
    for (std::size_t i = 0; i < closings.size(); ++i) {
        EXPECT_EQ(Answer(ModeClose, closings[i]), TFWarning::ResultClose) << "case " << i;
        EXPECT_EQ(m_box.HighlightedButton(), TFWarning::HighlightCloseOnly) << "case " << i;
    }
}

TEST_F(MessageBoxTest, MendingSetAnswersPoprawOrZamknij) {
    struct Case {
        std::vector<Step> steps;
        int result;
        int highlighted;
    };
    constexpr int Popraw = TFWarning::ResultMend;
    constexpr int Zamknij = TFWarning::HighlightCloseOnly;
    const std::vector<Case> cases = {
        {{Key(Qt::Key_Return)}, TFWarning::ResultMend, Popraw},
        {{Key(Qt::Key_P)}, TFWarning::ResultMend, Popraw},
        {{Click(&TFWarning::ImButPopraw)}, TFWarning::ResultMend, Popraw},
        {{Key(Qt::Key_Right), Key(Qt::Key_Return)}, TFWarning::ResultClose, Zamknij},
        {{Key(Qt::Key_Left), Key(Qt::Key_Return)}, TFWarning::ResultClose, Zamknij},
        {{Key(Qt::Key_Tab), Key(Qt::Key_Tab), Key(Qt::Key_Return)}, TFWarning::ResultMend, Popraw},
        {{Key(Qt::Key_Z)}, TFWarning::ResultClose, Popraw},
        {{Key(Qt::Key_Escape)}, TFWarning::ResultClose, Popraw},
        {{Click(&TFWarning::ImButZamknij)}, TFWarning::ResultClose, Popraw},
        {{Click(&TFWarning::LClose)}, TFWarning::ResultClose, Popraw},
        // The three-button set's keys are not on offer.
        {{Key(Qt::Key_T), Key(Qt::Key_N), Key(Qt::Key_A), Key(Qt::Key_P)},
         TFWarning::ResultMend,
         Popraw},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(Answer(ModeMendOrClose, cases[i].steps), cases[i].result) << "case " << i;
        EXPECT_EQ(m_box.HighlightedButton(), cases[i].highlighted) << "case " << i;
        EXPECT_TRUE(!m_box.PButPopraw->isHidden() && !m_box.pButZamknij->isHidden() &&
                    m_box.PButTak->isHidden() && m_box.PButAnuluj->isHidden())
            << "case " << i;
    }
    // The next message of another set shows no "Popraw".
    EXPECT_EQ(Answer(ModeClose, {Key(Qt::Key_Return)}), TFWarning::ResultClose);
    EXPECT_TRUE(m_box.PButPopraw->isHidden());
    EXPECT_EQ(m_box.ButtonImageName(TFWarning::ResultMend), QStringLiteral("butpopraw"));
}

TEST_F(MessageBoxTest, ThreeButtonSetAnswersByKeysAndHighlight) {
    struct Case {
        std::vector<Step> steps;
        int result;
    };
    const std::vector<Case> cases = {
        {{Key(Qt::Key_Return)}, TFWarning::ResultYes},
        {{Key(Qt::Key_Right), Key(Qt::Key_Return)}, TFWarning::ResultNo},
        {{Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Return)}, TFWarning::ResultCancel},
        {{Key(Qt::Key_Left), Key(Qt::Key_Return)}, TFWarning::ResultCancel},
        {{Key(Qt::Key_Left), Key(Qt::Key_Left), Key(Qt::Key_Return)}, TFWarning::ResultNo},
        {{Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Right), Key(Qt::Key_Return)},
         TFWarning::ResultYes},
        {{Key(Qt::Key_Tab), Key(Qt::Key_Tab), Key(Qt::Key_Tab), Key(Qt::Key_Return)},
         TFWarning::ResultYes},
        {{Key(Qt::Key_Tab), Key(Qt::Key_Return)}, TFWarning::ResultNo},
        {{Key(Qt::Key_Backtab, Qt::ShiftModifier), Key(Qt::Key_Return)}, TFWarning::ResultNo},
        {{Key(Qt::Key_T)}, TFWarning::ResultYes},
        {{Key(Qt::Key_N, Qt::AltModifier)}, TFWarning::ResultNo},
        {{Key(Qt::Key_A, Qt::ControlModifier)}, TFWarning::ResultCancel},
        // Esc takes the question back; Z is not on offer.
        {{Key(Qt::Key_Escape)}, TFWarning::ResultCancel},
        {{Key(Qt::Key_Right), Key(Qt::Key_Escape)}, TFWarning::ResultCancel},
        {{Key(Qt::Key_Z), Key(Qt::Key_N)}, TFWarning::ResultNo},
        {{Click(&TFWarning::LClose)}, TFWarning::ResultCancel},
        {{Click(&TFWarning::ImButTak)}, TFWarning::ResultYes},
        {{Click(&TFWarning::ImButNie)}, TFWarning::ResultNo},
        {{Click(&TFWarning::ImButAnuluj)}, TFWarning::ResultCancel},
        // The mouse does not move the highlight: a click answers for its own button.
        {{Key(Qt::Key_Right), Click(&TFWarning::ImButAnuluj)}, TFWarning::ResultCancel},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(Answer(ModeYesNoCancel, cases[i].steps), cases[i].result) << "case " << i;
    }
}

TEST_F(MessageBoxTest, HighlightPictureFollowsTheHighlight) {
    std::vector<std::vector<QString>> seen;
    const auto record = [this, &seen] {
        seen.push_back({m_box.ButtonImageName(1), m_box.ButtonImageName(2),
                        m_box.ButtonImageName(3), QString::number(m_box.HighlightedButton())});
    };
    WhenShown(&m_box, [&] {
        record();
        QTest::keyClick(&m_box, Qt::Key_Tab);
        record();
        QTest::keyClick(&m_box, Qt::Key_Left);
        QTest::keyClick(&m_box, Qt::Key_Left);
        record();
        QTest::keyClick(&m_box, Qt::Key_A);
    });
    const std::vector<std::vector<QString>> expected = {
        {"buttakakt", "butnie", "butanuluj", "1"},
        {"buttak", "butnieakt", "butanuluj", "2"},
        {"buttak", "butnie", "butanulujakt", "3"},
    };
    m_box.ShowWarning(ModeYesNoCancel, IconQuestion, u"Czy zapisa\u0107?");
    EXPECT_EQ(m_box.MessageResult(), TFWarning::ResultCancel);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(m_box.ButtonImageName(4), QStringLiteral("butzamknij"));
}

TEST_F(MessageBoxTest, ClosedByTheWindowManagerTheAnswerIsTwo) {
    for (const int mode : {ModeClose, ModeYesNoCancel}) {
        WhenShown(&m_box, [this] { m_box.close(); });
        m_box.ShowWarning(mode, IconInfo, u"Tekst");
        EXPECT_EQ(m_box.MessageResult(), TFWarning::ResultNo) << "mode " << mode;
        EXPECT_FALSE(m_box.isVisible());
    }
}

TEST_F(MessageBoxTest, ButtonSetsAndTextFollowTheMode) {
    struct Seen {
        bool tak, nie, anuluj, zamknij;
        QString text;
    };
    Seen seen{};
    const auto look = [this, &seen] {
        seen = {m_box.PButTak->isVisible(), m_box.PButNie->isVisible(),
                m_box.PButAnuluj->isVisible(), m_box.pButZamknij->isVisible(),
                m_box.LTekstWarning->text()};
    };
    WhenShown(&m_box, [&] {
        look();
        QTest::keyClick(&m_box, Qt::Key_A);
    });
    m_box.ShowWarning(ModeYesNoCancel, IconQuestion, u"Pierwsza linia\rdruga linia");
    EXPECT_TRUE(seen.tak && seen.nie && seen.anuluj && !seen.zamknij);
    EXPECT_EQ(seen.text, QStringLiteral("Pierwsza linia\ndruga linia"));

    // Modes other than 1 and 3 are shown as mode 1.
    for (const int mode : {0, 2, 4, -1}) {
        WhenShown(&m_box, [&] {
            look();
            QTest::keyClick(&m_box, Qt::Key_Return);
        });
        m_box.ShowWarning(mode, IconInfo, u"Inny tryb");
        EXPECT_TRUE(!seen.tak && !seen.nie && !seen.anuluj && seen.zamknij) << "mode " << mode;
        EXPECT_EQ(seen.text, QStringLiteral("Inny tryb"));
        EXPECT_EQ(m_box.MessageResult(), TFWarning::ResultClose) << "mode " << mode;
        EXPECT_EQ(m_box.HighlightedButton(), TFWarning::HighlightCloseOnly);
    }
}

TEST_F(MessageBoxTest, IconOutsideOneToThreeKeepsThePreviousIcon) {
    const auto iconAfter = [this](int icon) {
        Answer(ModeClose, {Key(Qt::Key_Return)}, icon);
        return m_box.ImIkona->pixmap().cacheKey();
    };
    const qint64 warning = iconAfter(IconWarning);
    EXPECT_EQ(iconAfter(0), warning);
    EXPECT_EQ(iconAfter(7), warning);
    const qint64 info = iconAfter(IconInfo);
    EXPECT_NE(info, warning);
    EXPECT_EQ(iconAfter(IconInfo), info) << "the same picture is decoded once";
    EXPECT_NE(iconAfter(IconQuestion), info);
}

TEST_F(MessageBoxTest, FramelessAndCentredOnTheScreen) {
    QPoint shownAt;
    WhenShown(&m_box, [&] {
        shownAt = m_box.pos();
        QTest::keyClick(&m_box, Qt::Key_Escape);
    });
    m_box.ShowWarning(ModeClose, IconInfo, u"Tekst");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(shownAt, screen.center() - QPoint(174, 74));
    EXPECT_EQ(m_box.size(), QSize(350, 150));
    EXPECT_TRUE(m_box.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(m_box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MessageBoxTest, ShowsTheWholeTextGrowingWithinTheScreen) {
    const std::u16string longPath =
        u"/home/sekretariat/Dokumenty/Szkoła Podstawowa nr 12/Rok szkolny 2023-2024/"
        u"Sprawozdania końcowe/Klasy czwarte/4a_klasyfikacja_końcoworoczna.xml";
    std::u16string manyLines;
    for (int i = 0; i < 12; ++i)
        manyLines += u"Linia komunikatu numer " + std::u16string(1, char16_t(u'A' + i)) + u".\r";
    struct Case {
        std::u16string Text;
        bool Grows;
    };
    const Case cases[] = {
        {u"Krótki tekst.", false},
        {u"Plik: " + longPath + u"\rSzkola/Pasek/Uczen1/Srednia: brak liczby. Napraw plik.", true},
        {manyLines + u"Koniec.", true},
        {u"Jeszcze raz krótki.", false},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringFromUtf16(c.Text).left(30).toStdString());
        QSize shown;
        WhenShown(&m_box, [&] {
            shown = m_box.size();
            QTest::keyClick(&m_box, Qt::Key_Escape);
        });
        m_box.ShowWarning(ModeClose, IconInfo, c.Text);
        const QLabel* label = m_box.LTekstWarning;
        EXPECT_EQ(shown.width(), 350);
        EXPECT_EQ(shown.height() > 150, c.Grows);
        EXPECT_LE(shown.height(), screen.height());
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << "nothing cut off";
        EXPECT_EQ(m_box.pButZamknij->y(), label->geometry().bottom() + 1 + 12);
        // The end of the message is always there; no word sticks out of the label.
        const QString text = label->text();
        const QRegularExpression space(QStringLiteral("\\s"));
        EXPECT_TRUE(text.endsWith(QStringForLabel(c.Text).split(space).last()));
        for (const QString& word : text.split(space))
            EXPECT_LE(label->fontMetrics().horizontalAdvance(word), label->width())
                << word.toStdString();
    }
}

TEST(MessageText, ALongPathIsShortenedInItsMiddleAndOtherWordsStay) {
    const QFontMetrics metrics(PixelFont(QStringLiteral("MS Sans Serif"), 12));
    const QString path = QStringLiteral("/bardzo/dluga/sciezka/") + QString(60, u'x') +
                         QStringLiteral("/3a_klasyfikacja.xml");
    const QString fitted = TextFittingWidth(
        QStringLiteral("Plik: ") + path + QStringLiteral("\nNapraw plik."), metrics, 200);
    const QStringList lines = fitted.split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Plik: /bardzo/")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(".xml")));
    EXPECT_TRUE(lines[0].contains(QChar(0x2026)));
    EXPECT_EQ(lines[1], QStringLiteral("Napraw plik."));
}

TEST(MessageText, TheGrownBackgroundKeepsTheTopAndMovesTheButtonBandDown) {
    QImage picture(4, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 4; ++x)
            picture.setPixel(x, y, qRgb(y * 20, 0, 0));
    const QImage grown = StretchedBackground(QPixmap::fromImage(picture), 6, 5).toImage();
    ASSERT_EQ(grown.size(), QSize(4, 15));
    const int expectedRow[] = {0, 1, 2, 3, 4, 5, 5, 5, 5, 5, 5, 6, 7, 8, 9};
    for (int y = 0; y < 15; ++y)
        EXPECT_EQ(qRed(grown.pixel(2, y)), expectedRow[y] * 20) << y;
}

TEST_F(MessageBoxTest, TypedCharactersReachNoControl) {
    // No component of the box takes the focus, so there is nothing to type into.
    for (QWidget* child : m_box.findChildren<QWidget*>()) {
        EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->metaObject()->className();
    }
    EXPECT_EQ(Answer(ModeClose,
                     {Key(Qt::Key_Q), Key(Qt::Key_1), Key(Qt::Key_Space), Key(Qt::Key_Return)}),
              TFWarning::ResultClose);
    EXPECT_EQ(m_box.LTekstWarning->text(), QStringLiteral("Tekst"));
}

TEST_F(MessageBoxTest, TitleStripDragMovesTheBox) {
    QPoint before;
    QPoint after;
    WhenShown(&m_box, [&] {
        before = m_box.pos();
        testing::SendMouse(m_box.LListwa, QEvent::MouseButtonPress, QPoint(5, 5), QPoint(400, 300),
                           Qt::LeftButton, Qt::LeftButton);
        testing::SendMouse(m_box.LListwa, QEvent::MouseMove, QPoint(5, 5), QPoint(380, 330),
                           Qt::NoButton, Qt::LeftButton);
        testing::SendMouse(m_box.LListwa, QEvent::MouseButtonRelease, QPoint(5, 5),
                           QPoint(380, 330), Qt::LeftButton, Qt::NoButton);
        after = m_box.pos();
        QTest::keyClick(&m_box, Qt::Key_Return);
    });
    m_box.ShowWarning(ModeClose, IconInfo, u"Tekst");
    EXPECT_EQ(after - before, QPoint(-20, 30));
}

enum class WindowKind { Skinned, Plain };

// A window with two text fields, the first one focused.
struct TwoFields {
    explicit TwoFields(WindowKind kind) {
        if (kind == WindowKind::Skinned)
            SetUpSkinnedWindow(&window, QSize(200, 100), WindowRole::Companion);
        first = new QLineEdit(&window);
        second = new QLineEdit(&window);
        second->move(0, 40);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        first->setFocus();
    }
    QWidget window;
    QLineEdit* first;
    QLineEdit* second;
};

TEST(TabFilter, TabNeverMovesTheFocusInTheProgramsOwnWindows) {
    TwoFields own(WindowKind::Skinned);
    // Without the filter Tab moves the focus, so the check below means something.
    QTest::keyClick(own.first, Qt::Key_Tab);
    ASSERT_TRUE(own.second->hasFocus());

    TFWarning box;
    own.first->setFocus();
    QTest::keyClick(own.first, Qt::Key_Tab);
    QTest::keyClick(own.first, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(own.first->hasFocus());
    EXPECT_TRUE(box.TabPressed());
    EXPECT_EQ(box.HighlightedButton(), TFWarning::HighlightCloseOnly)
        << "a hidden box keeps its highlight";
    QTest::keyClick(own.first, Qt::Key_B);
    EXPECT_FALSE(box.TabPressed());
    EXPECT_EQ(own.first->text(), QStringLiteral("b"));
}

TEST(TabFilter, TabMovesTheFocusInQtsOwnDialogs) {
    TFWarning box;
    // Qt's file, folder and print dialogs are plain windows, not skinned ones.
    TwoFields plain(WindowKind::Plain);
    QTest::keyClick(plain.first, Qt::Key_Tab);
    EXPECT_TRUE(plain.second->hasFocus());
    EXPECT_FALSE(box.TabPressed());

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&files));
    files.activateWindow();
    QWidget* before = QApplication::focusWidget();
    ASSERT_NE(before, nullptr);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), before);
}

} // namespace
} // namespace notarion
