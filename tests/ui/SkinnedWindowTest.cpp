// The mechanics every skinned window shares: colours, hot areas, the
// title-strip drag, hover groups, rounded outlines, placement and F1.

#include "ShellTestSupport.h"

#include "ui/SkinnedWindow.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace notarion {
namespace {

using testing::HoverOver;
using testing::SendMouse;

TEST(ColorFromBgr, BlueIsTheHighByteAndRedTheLow) {
    struct Case {
        std::uint32_t bgr;
        QColor rgb;
    };
    const Case cases[] = {
        {0x00FFFF, QColor(255, 255, 0)},   // yellow
        {0xFFFFFF, QColor(255, 255, 255)}, // white
        {0x3C3C00, QColor(0, 60, 60)},
        {0x5A4646, QColor(70, 70, 90)},
        {0x092337, QColor(55, 35, 9)},
        {0xFF000000, QColor(0, 0, 0)}, // the top byte is no part of the colour
    };
    for (const Case& each : cases) {
        EXPECT_EQ(ColorFromBgr(each.bgr), each.rgb) << std::hex << each.bgr;
    }
}

TEST(HotArea, ClickNeedsPressAndReleaseOfTheLeftButtonInside) {
    QWidget window;
    HotArea area(&window, QRect(10, 10, 40, 20));
    QSignalSpy clicks(&area, &HotArea::clicked);
    QSignalSpy presses(&area, &HotArea::pressed);

    QTest::mouseClick(&area, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);

    QTest::mouseClick(&area, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 1) << "a right click is no command";
    EXPECT_EQ(presses.count(), 2) << "but its press is reported";
    EXPECT_EQ(presses.last().at(0).value<Qt::MouseButton>(), Qt::RightButton);

    // Sliding off before releasing cancels the click.
    QTest::mousePress(&area, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(&area, Qt::LeftButton, Qt::NoModifier, QPoint(60, 5));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(HotArea, DoubleClickRunsTheCommandOnceAndReportsTheDoubleClick) {
    QWidget window;
    HotArea area(&window, QRect(0, 0, 40, 20));
    QSignalSpy clicks(&area, &HotArea::clicked);
    QSignalSpy doubles(&area, &HotArea::doubleClicked);
    // What the window system delivers: press, release, press, double click, release.
    QTest::mouseClick(&area, Qt::LeftButton);
    QTest::mousePress(&area, Qt::LeftButton);
    QTest::mouseDClick(&area, Qt::LeftButton);
    QTest::mouseRelease(&area, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(doubles.count(), 1);
    QTest::mouseClick(&area, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2) << "the next single click counts again";
}

class TitleStripDragTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.setFixedSize(300, 200);
        m_window.move(100, 100);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }
    void Press(QPoint global, Qt::MouseButton button = Qt::LeftButton) {
        SendMouse(m_strip, QEvent::MouseButtonPress, QPoint(5, 5), global, button, button);
    }
    void Move(QPoint global, Qt::MouseButtons buttons = Qt::LeftButton) {
        SendMouse(m_strip, QEvent::MouseMove, QPoint(5, 5), global, Qt::NoButton, buttons);
    }
    void Release(QPoint global, Qt::MouseButton button = Qt::LeftButton) {
        SendMouse(m_strip, QEvent::MouseButtonRelease, QPoint(5, 5), global, button, Qt::NoButton);
    }
    QWidget m_window{nullptr, Qt::FramelessWindowHint};
    HotArea* m_strip = new HotArea(&m_window, QRect(8, 7, 200, 23), HotCursor::Normal);
    TitleStripDrag* m_drag = new TitleStripDrag(&m_window, m_strip);
};

TEST_F(TitleStripDragTest, MovementSplitOverManyEventsMovesByExactlyTheTotal) {
    const QPoint start = m_window.pos();
    QSignalSpy moved(m_drag, &TitleStripDrag::windowMoved);
    Press(QPoint(500, 500));
    // (+10, -5) in uneven steps, with a step back on the way.
    const QPoint path[] = {{503, 499}, {507, 497}, {506, 498}, {510, 496}, {510, 495}};
    for (const QPoint& point : path) {
        Move(point);
    }
    Release(QPoint(510, 495));
    EXPECT_EQ(m_window.pos(), start + QPoint(10, -5));
    EXPECT_EQ(moved.count(), 5);
    EXPECT_FALSE(m_drag->DragActive());

    // Moves after the release do nothing.
    Move(QPoint(600, 600), Qt::NoButton);
    EXPECT_EQ(m_window.pos(), start + QPoint(10, -5));
}

TEST_F(TitleStripDragTest, RightButtonDragsAsWell) {
    const QPoint start = m_window.pos();
    Press(QPoint(50, 50), Qt::RightButton);
    EXPECT_TRUE(m_drag->DragActive());
    EXPECT_EQ(m_drag->DragPoint(), QPoint(50, 50));
    Move(QPoint(30, 80), Qt::RightButton);
    Release(QPoint(30, 80), Qt::RightButton);
    EXPECT_EQ(m_window.pos(), start + QPoint(-20, 30));
}

TEST_F(TitleStripDragTest, MovesWithoutAPressDoNothingAndClearEndsADrag) {
    const QPoint start = m_window.pos();
    Move(QPoint(10, 10), Qt::NoButton);
    Move(QPoint(40, 70), Qt::NoButton);
    EXPECT_EQ(m_window.pos(), start);
    Press(QPoint(0, 0));
    m_drag->Clear();
    Move(QPoint(40, 70));
    EXPECT_EQ(m_window.pos(), start);
}

TEST(HoverGroup, OneMemberLightsUpAndResetAreasDimAll) {
    QWidget window;
    QLabel background(&window);
    background.setGeometry(0, 0, 200, 200);
    HotArea first(&window, QRect(10, 10, 50, 15));
    HotArea second(&window, QRect(10, 40, 50, 15));
    HotArea third(&window, QRect(10, 70, 50, 15));
    const QColor normal = ColorFromBgr(0x3C3C00);
    const QColor hover = ColorFromBgr(0x808080);
    HoverGroup group(&window, normal, hover);
    group.Add(&first);
    group.Add(&second);
    group.Add(&third);
    group.AddResetArea(&background);

    const auto colours = [&] {
        return std::vector<QColor>{first.TextColour(), second.TextColour(), third.TextColour()};
    };
    EXPECT_EQ(colours(), (std::vector<QColor>{normal, normal, normal}));
    HoverOver(&second);
    EXPECT_EQ(colours(), (std::vector<QColor>{normal, hover, normal}));
    // Straight from one member onto another: only the last one stays lit.
    HoverOver(&third);
    EXPECT_EQ(colours(), (std::vector<QColor>{normal, normal, hover}));
    HoverOver(&background, QPoint(150, 150));
    EXPECT_EQ(colours(), (std::vector<QColor>{normal, normal, normal}));
    HoverOver(&first);
    group.Reset();
    EXPECT_EQ(colours(), (std::vector<QColor>{normal, normal, normal}));
    EXPECT_EQ(first.palette().color(QPalette::WindowText), normal) << "the label paints the colour";
}

TEST(RoundedRegion, CornersAreCutAndTheMiddleIsWhole) {
    const QRegion region = RoundedRegion(776, 570, 6, 6);
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 776, 570));
    for (const QPoint& corner : {QPoint(0, 0), QPoint(775, 0), QPoint(0, 569), QPoint(775, 569)}) {
        EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
    }
    for (const QPoint& inside :
         {QPoint(3, 0), QPoint(0, 3), QPoint(772, 569), QPoint(388, 285), QPoint(775, 300)}) {
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
    }
    EXPECT_EQ(RoundedRegion(100, 50, 0, 0), QRegion(0, 0, 100, 50));
    EXPECT_TRUE(RoundedRegion(0, 50, 6, 6).isEmpty());
}

TEST(SetRoundedOutline, GivesTheWindowItsMask) {
    QWidget window;
    window.setFixedSize(399, 287);
    SetRoundedOutline(&window, 400, 287, 6, 6);
    EXPECT_EQ(window.mask(), RoundedRegion(400, 287, 6, 6));
    SetRoundedOutline(&window, 0, 0, 6, 6);
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST(InstallHelpKey, F1InTheWindowOrAnyChildOpensHelpAndOtherKeysDoNot) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    QWidget other;
    auto* otherEdit = new QLineEdit(&other);
    int opened = 0;
    InstallHelpKey(&window, [&opened] { ++opened; });

    QTest::keyClick(edit, Qt::Key_F1);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(opened, 2);
    QTest::keyClick(edit, Qt::Key_F2);
    QTest::keyClick(otherEdit, Qt::Key_F1);
    EXPECT_EQ(opened, 2) << "another window's F1 is not ours";
}

} // namespace
} // namespace notarion
