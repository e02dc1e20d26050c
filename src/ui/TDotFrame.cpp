#include "ui/TDotFrame.h"

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace notarion {
namespace {

// An 8 x 8 one-bit pattern whose rows alternate 0x55 and 0xAA: a one-pixel
// checkerboard of black and white.
QImage CheckerPattern() {
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        const int row = y % 2 == 0 ? 0x55 : 0xAA;
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (row >> (7 - x)) & 1 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return pattern;
}

// The window that shows the band: frameless, never takes the mouse or the
// focus, above every other window, and shaped to the band alone.
class DotFrameOverlay : public QWidget {
public:
    DotFrameOverlay()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        static const QBrush checker(CheckerPattern());
        QPainter painter(this);
        // Keep the pattern fixed to the screen, so the dots do not crawl as
        // the frame grows.
        painter.setBrushOrigin(-pos());
        painter.fillRect(rect(), checker);
    }
};

} // namespace

void TDotRectangle::SetLeft(int value) {
    Change(m_left, value);
}
void TDotRectangle::SetTop(int value) {
    Change(m_top, value);
}
void TDotRectangle::SetRight(int value) {
    Change(m_right, value);
}
void TDotRectangle::SetBottom(int value) {
    Change(m_bottom, value);
}

void TDotRectangle::Change(int& side, int value) {
    if (side == value)
        return;
    if (m_owner.m_visible) {
        m_owner.Erase();
        side = value;
        m_owner.Draw();
    } else {
        side = value;
    }
}

TDotFrame::TDotFrame(QObject* parent)
    : QObject(parent), m_rect(*this), m_cursor([] { return QCursor::pos(); }),
      m_overlay(std::make_unique<DotFrameOverlay>()) {}

TDotFrame::~TDotFrame() = default;

void TDotFrame::SetWidth(int value) {
    value = std::max(value, 0);
    if (value == m_width)
        return;
    if (m_visible) {
        Erase();
        m_width = value;
        Draw();
    } else {
        m_width = value;
    }
}

void TDotFrame::SetVisible(bool value) {
    if (value == m_visible)
        return;
    m_visible = value;
    if (value)
        Draw();
    else
        Erase();
}

void TDotFrame::StartTracking() {
    m_tracking = true;
    m_trackingStart = m_cursor();
    m_rect.SetLeft(m_trackingStart.x());
    m_rect.SetRight(m_trackingStart.x());
    m_rect.SetTop(m_trackingStart.y());
    m_rect.SetBottom(m_trackingStart.y());
    SetVisible(true);
}

void TDotFrame::Track() {
    if (!m_tracking)
        return;
    const QPoint cursor = m_cursor();
    // One hide and one show for both sides, however far the cursor went.
    const bool wasVisible = m_visible;
    if (wasVisible)
        Erase();
    m_rect.m_right = cursor.x();
    m_rect.m_bottom = cursor.y();
    if (wasVisible)
        Draw();
}

void TDotFrame::StopTracking() {
    m_tracking = false;
    SetVisible(false);
}

void TDotFrame::SetCursorSource(CursorSource source) {
    if (source)
        m_cursor = std::move(source);
    else
        m_cursor = [] { return QCursor::pos(); };
}

QRect TDotFrame::NormalizedRect() const {
    const int left = std::min(m_rect.m_left, m_rect.m_right);
    const int right = std::max(m_rect.m_left, m_rect.m_right);
    const int top = std::min(m_rect.m_top, m_rect.m_bottom);
    const int bottom = std::max(m_rect.m_top, m_rect.m_bottom);
    return QRect(left, top, right - left, bottom - top);
}

QRegion TDotFrame::BandRegion(const QRect& rect, int width) {
    if (rect.isEmpty())
        return {};
    const QRect outer(QPoint(0, 0), rect.size());
    const QRect inner = outer.adjusted(width, width, -width, -width);
    return QRegion(outer).xored(inner.isValid() ? QRegion(inner) : QRegion());
}

const QWidget* TDotFrame::Overlay() const {
    return m_overlay.get();
}

void TDotFrame::Draw() {
    // A frame that is a single point has nothing to draw.
    if (m_rect.m_left == m_rect.m_right && m_rect.m_top == m_rect.m_bottom) {
        m_overlay->hide();
        return;
    }
    const QRect area = NormalizedRect();
    const QRegion band = BandRegion(area, m_width);
    if (band.isEmpty()) {
        m_overlay->hide();
        return;
    }
    m_overlay->setGeometry(area);
    m_overlay->setMask(band);
    m_overlay->show();
    m_overlay->raise();
    m_overlay->update();
}

void TDotFrame::Erase() {
    m_overlay->hide();
}

} // namespace notarion
