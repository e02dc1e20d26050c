#pragma once

// The about window: one background picture with the version line over it and
// a close hot area, shown modally over the main window.

#include "ui/SkinnedWindow.h"

#include <QDialog>

class QLabel;

namespace notarion {

class TFAbout : public QDialog {
    Q_OBJECT
public:
    // The window, hidden. Never fails: a missing background picture leaves
    // a plain background.
    explicit TFAbout(QWidget* parent = nullptr);

    // Place the window at owner's left + 170, top + 120, give it its rounded
    // outline and show it modally; returns when it is closed. Never fails.
    void ShowOver(const QWidget* owner);

    QLabel* Image1;
    QLabel* LWersja;
    HotArea* LClose;

private:
    void LCloseClick();
};

} // namespace notarion
