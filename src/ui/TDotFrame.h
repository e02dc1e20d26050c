#pragma once

// The dotted rubber-band frame that the document viewer draws on the screen
// while the user drags its resize grip. The frame is a rectangle in screen
// coordinates with a band of a given width drawn as a one-pixel checkerboard;
// it is painted by a frameless, click-through overlay window that stays on
// top, so no other window repaints while the frame moves.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <functional>
#include <memory>

class QWidget;

namespace notarion {

class TDotFrame;

// The frame's rectangle in screen coordinates (right and bottom exclusive).
// Changing a side while the frame is visible hides the frame, changes the
// side and shows it again; setting the value it already has does nothing.
class TDotRectangle {
public:
    // The sides as they were set (not ordered).
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Right() const { return m_right; }
    int Bottom() const { return m_bottom; }

    // Change one side; never fails.
    void SetLeft(int value);
    void SetTop(int value);
    void SetRight(int value);
    void SetBottom(int value);

private:
    friend class TDotFrame;
    explicit TDotRectangle(TDotFrame& owner) : m_owner(owner) {}
    void Change(int& side, int value);

    TDotFrame& m_owner;
    int m_left = 0;
    int m_top = 0;
    int m_right = 150;
    int m_bottom = 100;
};

class TDotFrame : public QObject {
    Q_OBJECT
public:
    // Where the cursor is on the screen; tests drive the frame with their own.
    using CursorSource = std::function<QPoint()>;

    // A hidden frame 0, 0, 150, 100, three pixels wide, reading the real
    // cursor. Never fails.
    explicit TDotFrame(QObject* parent = nullptr);
    ~TDotFrame() override;

    // The frame's rectangle; its setters keep a visible frame on the screen.
    TDotRectangle& FrameRect() { return m_rect; }
    const TDotRectangle& FrameRect() const { return m_rect; }

    // Thickness of the band in pixels (negative values count as 0); re-shows
    // a visible frame when it changes.
    int Width() const { return m_width; }
    void SetWidth(int value);

    // Show or hide the frame; setting the current state does nothing.
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

    // Start tracking: the frame becomes the single cursor point and visible.
    void StartTracking();
    // While tracking, move the right-bottom corner to the cursor; otherwise
    // nothing happens.
    void Track();
    // End tracking and hide the frame.
    void StopTracking();

    // True between StartTracking and StopTracking.
    bool Tracking() const { return m_tracking; }
    // The cursor position at which tracking last started.
    QPoint TrackingStart() const { return m_trackingStart; }

    // Replace the cursor source (tests). An empty source restores the real one.
    void SetCursorSource(CursorSource source);

    // The rectangle ordered so that left <= right and top <= bottom.
    QRect NormalizedRect() const;

    // The band between rect and rect moved inwards by width on every side,
    // relative to rect's top-left corner; empty for an empty rect.
    static QRegion BandRegion(const QRect& rect, int width);

    // The overlay window that draws the frame (for tests and screenshots).
    const QWidget* Overlay() const;

private:
    friend class TDotRectangle;
    // Put the frame on the screen or take it off. Both keep the overlay in
    // step with the properties; a frame that is a single point draws nothing.
    void Draw();
    void Erase();

    TDotRectangle m_rect;
    int m_width = 3;
    bool m_visible = false;
    bool m_tracking = false;
    QPoint m_trackingStart;
    CursorSource m_cursor;
    std::unique_ptr<QWidget> m_overlay;
};

} // namespace notarion
