#pragma once

// Helpers of the shell's window tests: temporary folders in cp1250 text,
// raw mouse events with chosen screen positions, and a driver for modal
// windows that acts once the window is up (never by sleeping).

#include "platform/QtText.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace notarion::testing {

// A temporary folder as cp1250 text without a trailing separator.
inline std::string FolderText(const QTemporaryDir& dir) {
    return Cp1250FromQString(dir.path());
}

// Send one mouse event to widget with an explicit screen position, as the
// window system would deliver it.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, QPoint global,
                      Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(local), QPointF(global), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

// A move with no button held over widget at its local point.
inline void HoverOver(QWidget* widget, QPoint local = QPoint(2, 2)) {
    SendMouse(widget, QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton,
              Qt::NoButton);
}

// Run action once window is visible (inside its modal loop). The check is
// repeated from the event loop; if the window never shows, the test fails
// and nothing is run.
inline void WhenShown(QWidget* window, std::function<void()> action, int triesLeft = 500) {
    QTimer::singleShot(triesLeft == 500 ? 0 : 5, [window, action, triesLeft] {
        if (window->isVisible()) {
            action();
        } else if (triesLeft > 0) {
            WhenShown(window, action, triesLeft - 1);
        } else {
            ADD_FAILURE() << "window never shown";
        }
    });
}

} // namespace notarion::testing
