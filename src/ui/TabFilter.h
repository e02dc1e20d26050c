#pragma once

// The Tab key never moves the focus in the program's own skinned windows: one filter
// on the application takes every Tab key event before it is delivered,
// swallows it and reports it instead. The message box listens and treats Tab
// as a move of its highlight to the right.

#include <QObject>

namespace notarion {

class TabFilter : public QObject {
    Q_OBJECT
public:
    // A filter installed on the running application for as long as it lives
    // (it goes with parent). Without an application object nothing is filtered.
    explicit TabFilter(QObject* parent);

    // True when the last key press the filter saw was Tab (or Shift+Tab).
    bool TabPressed() const { return m_tabPressed; }

signals:
    // A Tab key press was swallowed.
    void tabPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_tabPressed = false;
};

} // namespace notarion
