#include "ui/TabFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace notarion {

TabFilter::TabFilter(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installEventFilter(this);
    }
}

bool TabFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) {
        return QObject::eventFilter(watched, event);
    }
    // A data-entry window (the report editor) says so with a property of its
    // window: there Tab moves between the fields as in any form.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget != nullptr && widget->window()->property(StandardTabProperty).toBool()) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Shift+Tab carries the same key code as Tab where the program comes from,
    // so it is swallowed and reported the same way.
    const bool isTab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (type == QEvent::KeyRelease) {
        return isTab;
    }
    m_tabPressed = isTab;
    if (!isTab) {
        return false;
    }
    // The press arrives once: swallowing it here keeps it from being passed
    // on to the widget (and to its parents) as well.
    emit tabPressed();
    return true;
}

} // namespace notarion
