#include "ui/KeyboardReturn.h"

#include <QApplication>
#include <QEvent>

namespace notarion {

namespace {

// A window the user works in: not a menu, a drop-down list or a tooltip,
// which give the keyboard back by themselves.
bool IsWorkWindow(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget == nullptr || !widget->isWindow()) {
        return false;
    }
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

} // namespace

KeyboardReturn::KeyboardReturn(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installEventFilter(this);
    }
}

bool KeyboardReturn::eventFilter(QObject* watched, QEvent* event) {
    // A window shown or hidden with the whole program (minimised, restored)
    // changes nothing of where the keyboard belongs.
    if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || event->spontaneous() ||
        !IsWorkWindow(watched)) {
        return false;
    }
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show) {
        QWidget* active = QApplication::activeWindow();
        if (active != nullptr && active != window) {
            m_openedFrom.insert(window, active);
        }
        return false;
    }
    const QPointer<QWidget> openedFrom = m_openedFrom.take(window);
    if (openedFrom != nullptr && openedFrom->isVisible() && !openedFrom->isMinimized()) {
        openedFrom->raise();
        openedFrom->activateWindow();
    }
    return false;
}

} // namespace notarion
