#include "ui/TabFilter.h"

#include "ui/SkinnedWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

namespace notarion {
namespace {

// The widget a key event goes to: the watched widget itself, or, while the
// event is still with the platform window, the widget that has the focus.
const QWidget* TargetWidget(const QObject* watched) {
    if (const auto* widget = qobject_cast<const QWidget*>(watched))
        return widget;
    if (qobject_cast<const QWindow*>(watched) != nullptr) {
        const QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus : QApplication::activeWindow();
    }
    return nullptr;
}

} // namespace

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
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Shift+Tab carries the same key code as Tab where the program comes from,
    // so it is swallowed and reported the same way. Qt's own dialogs (file,
    // folder, print) are not skinned windows: there Tab moves the focus as
    // their users expect.
    const bool isTab =
        (key == Qt::Key_Tab || key == Qt::Key_Backtab) && InSkinnedWindow(TargetWidget(watched));
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
