#pragma once

// Shared by the two start-up programs the side-by-side benchmark runs: end
// the process as soon as a window has been put on screen and painted once.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace notarion::bench {

// Watches a window's native handle. A widget window paints while it handles
// its expose event; the exit is queued behind that event, so the first
// picture is complete. _Exit skips the tear-down, which is not part of the
// start.
class ExitWhenExposed : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }
};

// Call right after window->show(): its native handle exists by then.
inline void ExitOnceShown(QWidget& window) {
    window.windowHandle()->installEventFilter(new ExitWhenExposed(&window));
}

} // namespace notarion::bench
