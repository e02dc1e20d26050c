#include "ui/TDotFrame.h"

#include <QEvent>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace notarion {
namespace {

// Counts how often the overlay window is taken off and put on the screen.
class ShowHideCounter : public QObject {
public:
    explicit ShowHideCounter(const QWidget* overlay) {
        const_cast<QWidget*>(overlay)->installEventFilter(this);
    }
    int Shows = 0;
    int Hides = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++Shows;
        if (event->type() == QEvent::Hide)
            ++Hides;
        return false;
    }
};

class DotFrame : public ::testing::Test {
protected:
    DotFrame() {
        frame.SetCursorSource([this] { return cursor; });
    }
    const QWidget& Overlay() const { return *frame.Overlay(); }

    QPoint cursor{500, 400};
    TDotFrame frame;
};

int RegionArea(const QRegion& region) {
    int area = 0;
    for (const QRect& r : region)
        area += r.width() * r.height();
    return area;
}

TEST(DotFrameBand, IsTheRingBetweenTheRectangleAndItsInset) {
    struct Case {
        QRect Rect;
        int Width;
        int Area;
    };
    const Case cases[] = {
        {{0, 0, 10, 8}, 3, 10 * 8 - 4 * 2}, {{100, 50, 850, 600}, 3, 850 * 600 - 844 * 594},
        {{0, 0, 10, 8}, 1, 10 * 8 - 8 * 6}, {{0, 0, 10, 8}, 0, 0},
        {{0, 0, 10, 8}, 4, 10 * 8}, // the inset is empty: the whole rectangle
        {{0, 0, 10, 8}, 50, 10 * 8},        {{0, 0, 0, 8}, 3, 0},
    };
    for (const Case& c : cases) {
        const QRegion band = TDotFrame::BandRegion(c.Rect, c.Width);
        EXPECT_EQ(RegionArea(band), c.Area) << "width " << c.Width;
        if (!band.isEmpty()) {
            EXPECT_EQ(band.boundingRect(), QRect(QPoint(0, 0), c.Rect.size()));
        }
    }
}

TEST_F(DotFrame, TrackingStartsAtTheCursorAsAPointThatDrawsNothing) {
    frame.StartTracking();
    EXPECT_TRUE(frame.Tracking());
    EXPECT_TRUE(frame.Visible());
    EXPECT_EQ(frame.TrackingStart(), QPoint(500, 400));
    EXPECT_EQ(frame.FrameRect().Left(), 500);
    EXPECT_EQ(frame.FrameRect().Right(), 500);
    EXPECT_EQ(frame.FrameRect().Top(), 400);
    EXPECT_EQ(frame.FrameRect().Bottom(), 400);
    EXPECT_FALSE(Overlay().isVisible());
}

TEST_F(DotFrame, TrackingFollowsTheCursorAndStoppingHidesTheBand) {
    frame.StartTracking();
    frame.FrameRect().SetLeft(100);
    frame.FrameRect().SetTop(50);
    EXPECT_TRUE(Overlay().isVisible());
    EXPECT_EQ(Overlay().geometry(), QRect(100, 50, 400, 350));

    cursor = QPoint(950, 750);
    frame.Track();
    EXPECT_EQ(frame.FrameRect().Right(), 950);
    EXPECT_EQ(frame.FrameRect().Bottom(), 750);
    EXPECT_EQ(Overlay().geometry(), QRect(100, 50, 850, 700));
    EXPECT_EQ(Overlay().mask(), TDotFrame::BandRegion(QRect(100, 50, 850, 700), 3));

    // A cursor above and left of the corner gives an ordered rectangle.
    cursor = QPoint(40, 20);
    frame.Track();
    EXPECT_EQ(Overlay().geometry(), QRect(40, 20, 60, 30));

    frame.StopTracking();
    EXPECT_FALSE(frame.Tracking());
    EXPECT_FALSE(frame.Visible());
    EXPECT_FALSE(Overlay().isVisible());

    // Moves after the release change nothing.
    cursor = QPoint(700, 700);
    frame.Track();
    EXPECT_EQ(frame.FrameRect().Right(), 40);
}

TEST_F(DotFrame, ChangingAVisibleFrameHidesAndShowsItOnceAndEqualValuesDoNothing) {
    frame.SetVisible(true);
    ASSERT_TRUE(Overlay().isVisible());
    ShowHideCounter counter(&Overlay());

    frame.FrameRect().SetRight(150);
    frame.FrameRect().SetLeft(0);
    frame.SetWidth(3);
    frame.SetVisible(true);
    EXPECT_EQ(counter.Hides, 0);
    EXPECT_EQ(counter.Shows, 0);

    frame.FrameRect().SetBottom(300);
    EXPECT_EQ(counter.Hides, 1);
    EXPECT_EQ(counter.Shows, 1);
    EXPECT_EQ(Overlay().geometry(), QRect(0, 0, 150, 300));

    frame.SetWidth(5);
    EXPECT_EQ(counter.Hides, 2);
    EXPECT_EQ(counter.Shows, 2);
    EXPECT_EQ(Overlay().mask(), TDotFrame::BandRegion(QRect(0, 0, 150, 300), 5));

    // A hidden frame only takes the values.
    frame.SetVisible(false);
    frame.FrameRect().SetTop(10);
    frame.SetWidth(-2);
    EXPECT_EQ(counter.Shows, 2);
    EXPECT_EQ(frame.FrameRect().Top(), 10);
    EXPECT_EQ(frame.Width(), 0);
}

TEST_F(DotFrame, BandIsAOnePixelCheckerboard) {
    frame.FrameRect().SetRight(40);
    frame.FrameRect().SetBottom(30);
    frame.SetVisible(true);
    const QImage band = const_cast<QWidget&>(Overlay()).grab().toImage();
    ASSERT_EQ(band.size(), QSize(40, 30));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 39; ++x) {
            EXPECT_NE(band.pixel(x, y), band.pixel(x + 1, y)) << x << "," << y;
            EXPECT_NE(band.pixel(x, y), band.pixel(x, y + 1)) << x << "," << y;
            const QRgb colour = band.pixel(x, y) & 0xFFFFFF;
            EXPECT_TRUE(colour == 0 || colour == 0xFFFFFF);
        }
    }
}

} // namespace
} // namespace notarion
