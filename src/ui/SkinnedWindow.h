#pragma once

// The mechanics that every skinned window shares. The windows are frameless:
// a JPEG background draws their frame, caption and buttons, and transparent
// hot areas over it act as buttons. This header gives those pieces once:
//
//   HotArea         a transparent label that reports clicks, presses and moves
//   TitleStripDrag  moving a window by dragging its title strip
//   HoverGroup      label commands that light up under the mouse
//   SetRoundedOutline, PlaceRelativeTo, InstallHelpKey, SetUpSkinnedWindow
//   ColorFromBgr    the one conversion of the system's 0x00BBGGRR colours
//
// Nothing here knows a particular window; each window wires its own
// components to these pieces in its constructor.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace notarion {

// A colour written as 0x00BBGGRR (blue in the high byte, red in the low byte)
// as a QColor. The top byte is ignored; never fails.
QColor ColorFromBgr(std::uint32_t bgr);

// A font of the given family and pixel height (the height the window
// descriptions give), with the given weight. Never fails: a family missing on
// this machine is replaced by the font system's nearest match.
QFont PixelFont(const QString& family, int pixelHeight, QFont::Weight weight = QFont::Normal);

// The font of the commands' captions that a window writes over its picture,
// set as the list editor's picture sets its own. Where the face is not
// installed (Windows), Verdana, whose widths it shares, stands in. Never fails.
QFont CommandFont();

// The program's version ("wersja 1.0.0") as plain text over a skin picture,
// in the pictures' face (DejaVu Sans) of the given pixel height and colour
// (0x00BBGGRR). It takes no mouse events. Never fails.
QLabel* MakeVersionLabel(QWidget* parent, const QRect& geometry, int pixelHeight,
                         std::uint32_t bgrColour, Qt::Alignment alignment);

// Which cursor a hot area shows.
enum class HotCursor { Hand, Normal };

// A transparent label over a window's background that acts as a button. It
// has no text unless SetCaption gives it one, shows the hand cursor unless
// told otherwise, and reports every mouse event it receives. It also takes a
// pixmap (QLabel::setPixmap) for image buttons; the pixmap is drawn from the
// top-left corner and clipped by the area, as an image inside a panel is.
class HotArea : public QLabel {
    Q_OBJECT
public:
    // An area at geometry (relative to parent) with the given cursor. Never fails.
    HotArea(QWidget* parent, const QRect& geometry, HotCursor cursor = HotCursor::Hand);

    // Show text in the area in its own font and colour, word-wrapped, on a
    // transparent background; an ellipsis ("…", "...") stays on the line of
    // the word before it. Never fails.
    void SetCaption(const QString& text, const QFont& font, const QColor& colour);

    // Change the colour of the caption text; the colour of an area without a
    // caption is kept for when one is set. Never fails.
    void SetTextColour(const QColor& colour);

    // The current caption colour.
    QColor TextColour() const { return m_textColour; }

signals:
    // A press of any button inside the area, with the modifier keys held and
    // the cursor's position on the screen.
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint globalPos);
    // The mouse moved over the area (with or without a button held; while a
    // button is held, moves outside the area after a press inside it count too).
    void moved(Qt::MouseButtons buttons, QPoint globalPos);
    // A button went up after a press inside the area.
    void released(Qt::MouseButton button, QPoint globalPos);
    // The left button was pressed and released inside the area: the command
    // runs. The second click of a double click does not count again.
    void clicked();
    // The left button was double-clicked inside the area.
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor m_textColour = Qt::black;
    bool m_leftPressedInside = false;
    bool m_releaseEndsDoubleClick = false;
};

// Moving a window by dragging its title strip. A press with any button
// remembers the cursor's screen position; every move while the drag is
// active moves the window by the cursor's movement since the last event and
// remembers the new position; a release ends the drag. A movement split over
// many events therefore moves the window by exactly the total.
class TitleStripDrag : public QObject {
    Q_OBJECT
public:
    // Drag window by strip: the strip's pressed, moved and released signals
    // are connected here. Never fails.
    TitleStripDrag(QWidget* window, HotArea* strip);

    // Start a drag at a screen position (what a press on the strip does).
    void Press(QPoint globalPos);
    // Move the window by globalPos - DragPoint and remember globalPos; does
    // nothing while no drag is active. Emits windowMoved after moving.
    void Move(QPoint globalPos);
    // End the drag (what a release on the strip does).
    void Release();
    // End any drag without moving (windows do this each time they are shown).
    void Clear() { m_dragActive = false; }

    bool DragActive() const { return m_dragActive; }
    QPoint DragPoint() const { return m_dragPoint; }

    // Run before a drag starts (the main window lets pending work finish
    // first); empty by default.
    std::function<void()> BeforePress;

signals:
    // The window was moved by a drag step; companions follow from here.
    void windowMoved();

private:
    QWidget* m_window;
    bool m_dragActive = false;
    QPoint m_dragPoint;
};

// Label commands that change their text colour under the mouse. There is no
// leave tracking: a colour is restored only when the mouse moves over another
// member or over a reset area, or when Reset is called.
class HoverGroup : public QObject {
    Q_OBJECT
public:
    // An empty group with the normal and the hover colour. Never fails.
    HoverGroup(QObject* parent, const QColor& normal, const QColor& hover);

    // Add a member: a move over it highlights it. Its colour becomes the
    // normal colour. Never fails.
    void Add(HotArea* member);

    // A move over this widget (a background image, an underline label) resets
    // every member to the normal colour; its mouse tracking is turned on. Never fails.
    void AddResetArea(QWidget* area);

    // Give member the hover colour and every other member the normal colour.
    // A widget that is not a member only resets the others.
    void Highlight(const HotArea* member);

    // Give every member the normal colour.
    void Reset();

    QColor NormalColour() const { return m_normal; }
    QColor HoverColour() const { return m_hover; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QColor m_normal;
    QColor m_hover;
    std::vector<HotArea*> m_members;
};

// The title under which the windows that present documents (the viewer and
// the preview) appear in the desktop's window lists.
QString PresentationWindowTitle();

// The main window has its own entry in the desktop's task bar; every other
// window is a companion that belongs to the window it is opened from.
enum class WindowRole { Main, Companion };

// Make window a frameless top-level window of a fixed client size and mark it
// as one of the program's own skinned windows. No window stays on top of
// other programs' windows. Never fails.
void SetUpSkinnedWindow(QWidget* window, QSize size, WindowRole role);

// Make window an owned window of owner (a window opened from it): the desktop
// keeps it above owner, but never above other programs, and gives it no
// task-bar entry of its own. Position, size and flags are kept; call it
// while window is hidden. Never fails; a null owner does nothing.
void SetOwner(QWidget* window, QWidget* owner);

// Put every hot area of window (an area with the hand cursor) above the
// title strips and labels that overlap it, so that it takes clicks over its
// whole rectangle. Never fails.
void RaiseHotAreas(QWidget* window);

// Keep window, which is about to be shown, above openedFrom's window for this
// showing (for a window opened from changing places, such as the message
// box). Never fails; a null openedFrom, or window itself, does nothing.
void KeepAbove(QWidget* window, QWidget* openedFrom);

// Whether widget lies in one of the program's own skinned windows (and not,
// say, in one of Qt's standard dialogs). Null gives false.
bool InSkinnedWindow(const QWidget* widget);

// Shape window as the rectangle (0, 0)-(width, height) with corners rounded
// by ellipses of ellipseWidth x ellipseHeight, the way the system's window
// region is made (the right and bottom edges lie outside, as there). The
// window is repainted. Never fails; non-positive sizes clear the shape.
void SetRoundedOutline(QWidget* window, int width, int height, int ellipseWidth, int ellipseHeight);

// The region SetRoundedOutline gives to a window (exposed for tests and for
// windows that combine it with their own shape).
QRegion RoundedRegion(int width, int height, int ellipseWidth, int ellipseHeight);

// Move window so that its top-left corner lies at owner's top-left corner
// plus offset (screen coordinates). Never fails.
void PlaceRelativeTo(QWidget* window, const QWidget* owner, QPoint offset);

// Run openHelp whenever F1 is pressed while window (or any of its children)
// is active. Never fails.
void InstallHelpKey(QWidget* window, std::function<void()> openHelp);

} // namespace notarion
