#pragma once

// The list editor's list of report titles: a borderless list widget that the
// report catalogue fills through its KindList interface.
//
// The list also tracks the mouse for reordering by drag and drop. It only
// reports what the mouse does (a press, a drag over a point, a drop at a
// point, a double click); what a drop means for the catalogue is decided by
// the window that owns the list.

#include "reports/ReportCatalogue.h"

#include <QListWidget>

namespace notarion {

class KindListBox : public QListWidget, public KindList {
    Q_OBJECT
public:
    // The least height of one line in pixels; a font that needs more (the
    // accents of Polish capitals) gets more.
    static constexpr int ItemHeight = 13;

    // The height of one line for font: room for the accents above Ą Ć Ę Ł Ń
    // Ó Ś Ź Ż and for the letters that reach below the line, never below
    // ItemHeight.
    static int RowHeightFor(const QFont& font);

    // The height of one line with the list's own font.
    int RowHeight() const { return RowHeightFor(font()); }

    // An empty list without a frame. Never fails.
    explicit KindListBox(QWidget* parent);

    // KindList: titles are cp1250 text; out-of-range positions read as
    // empty text. None of these fails.
    void ClearItems() override;
    void AddItem(const std::string& title) override;
    int ItemCount() const override;
    std::string ItemText(int position) const override;
    void SelectFirstItem() override;

    // The position of the selected line, or -1 when none is selected.
    int SelectedPosition() const;

    // The position of the line under a point of the list's viewport, or -1
    // when no line lies there (below the last line, or outside the list).
    int PositionAt(QPoint point) const;

    // Move the line at from to the position to (both clamped to the list)
    // and select it there. Nothing happens when either position is outside
    // the list.
    void MoveItem(int from, int to);

    // Whether a drag started by the mouse is under way.
    bool Dragging() const { return m_dragging; }

    // End a drag under way without a drop (Esc, or the list lost the mouse).
    void CancelDrag();

signals:
    // A mouse button went down at a point of the viewport.
    void pressedAt(QPoint point);
    // The mouse, with the left button held after a press on a line, moved
    // far enough to start a drag, or moved on during one.
    void draggedOver(QPoint point);
    // The left button went up inside the viewport during a drag.
    void droppedAt(QPoint point);
    // The left button was double-clicked anywhere in the list.
    void doubleClickedAt(QPoint point);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPoint m_pressPoint;
    bool m_pressedOnLine = false;
    bool m_dragging = false;
};

} // namespace notarion
