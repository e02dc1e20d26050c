#include "ui/KindListBox.h"

#include "platform/QtText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace notarion {

namespace {

// Keeps every line at one height, tall enough for the list's font.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(KindListBox::RowHeightFor(option.font));
        return size;
    }
};

} // namespace

int KindListBox::RowHeightFor(const QFont& font) {
    const QFontMetrics metrics(font);
    // The text is centred on the line by the font's own height; the ink of
    // accented capitals and of descenders may reach beyond it in some faces.
    const QRect ink = metrics.tightBoundingRect(QStringLiteral(u"ĄĆĘŁŃÓŚŹŻąęjgy"));
    const int inkAbove = std::max(-ink.top(), metrics.ascent());
    const int inkBelow = std::max(ink.bottom() + 1, metrics.descent());
    // One pixel of air above and below keeps the accents off the neighbours.
    return std::max(ItemHeight, inkAbove + inkBelow + 2);
}

KindListBox::KindListBox(QWidget* parent) : QListWidget(parent) {
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new FixedHeightDelegate(this));
    // A long title is shown whole and reached with the horizontal scroll
    // bar: its end names the teacher, which is what tells lines apart.
    setTextElideMode(Qt::ElideNone);
    // Reordering is done by the mouse handling below, not by Qt's own drag
    // and drop, which would move the line without telling the catalogue.
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

void KindListBox::ClearItems() {
    CancelDrag();
    clear();
}

void KindListBox::AddItem(const std::string& title) {
    auto* line = new QListWidgetItem(QStringFromCp1250(title));
    line->setToolTip(PlainToolTip(line->text()));
    addItem(line);
}

int KindListBox::ItemCount() const {
    return count();
}

std::string KindListBox::ItemText(int position) const {
    const QListWidgetItem* found = item(position);
    return found == nullptr ? std::string() : Cp1250FromQString(found->text());
}

void KindListBox::SelectFirstItem() {
    if (count() == 0) {
        return;
    }
    setCurrentRow(0);
    if (window()->isVisible()) {
        setFocus();
    }
}

int KindListBox::SelectedPosition() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? -1 : row(chosen.front());
}

int KindListBox::PositionAt(QPoint point) const {
    if (!viewport()->rect().contains(point)) {
        return -1;
    }
    const QListWidgetItem* found = itemAt(point);
    return found == nullptr ? -1 : row(found);
}

void KindListBox::MoveItem(int from, int to) {
    if (from < 0 || from >= count() || to < 0 || to >= count()) {
        return;
    }
    if (from != to) {
        QListWidgetItem* moving = takeItem(from);
        insertItem(to, moving);
    }
    setCurrentRow(to);
}

void KindListBox::CancelDrag() {
    if (!m_dragging) {
        return;
    }
    m_dragging = false;
    viewport()->unsetCursor();
}

void KindListBox::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_pressPoint = point;
        m_pressedOnLine = PositionAt(point) >= 0;
        CancelDrag();
    }
    emit pressedAt(point);
}

void KindListBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        // The button went up where the list could not see it (a modal
        // window took the release): whatever drag there was is over.
        CancelDrag();
        QListWidget::mouseMoveEvent(event);
        return;
    }
    if (!m_dragging && m_pressedOnLine &&
        (point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        viewport()->setCursor(Qt::DragMoveCursor);
    }
    if (!m_dragging) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    emit draggedOver(point);
}

void KindListBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool dropping = m_dragging && event->button() == Qt::LeftButton;
    const QPoint point = event->position().toPoint();
    if (dropping) {
        CancelDrag();
        m_pressedOnLine = false;
    }
    QListWidget::mouseReleaseEvent(event);
    // A release outside the list drops nothing: there is no list there to
    // take the line.
    if (dropping && viewport()->rect().contains(point)) {
        emit droppedAt(point);
    }
}

void KindListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit doubleClickedAt(event->position().toPoint());
    }
}

void KindListBox::keyPressEvent(QKeyEvent* event) {
    if (m_dragging && event->key() == Qt::Key_Escape) {
        CancelDrag();
        m_pressedOnLine = false;
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void KindListBox::focusOutEvent(QFocusEvent* event) {
    CancelDrag();
    QListWidget::focusOutEvent(event);
}

} // namespace notarion
