#pragma once

// Where the keyboard goes when a window closes. The desktop hands it to a
// window of its own choosing, often the main window hidden behind the list
// editor, where Delete and the Alt letters do nothing and Alt+F4 would end
// the program. This filter remembers which window was active when each
// window of the program came up and gives that window the keyboard back when
// it goes.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace notarion {

class KeyboardReturn : public QObject {
    Q_OBJECT
public:
    // Watch every window of the application for as long as parent lives.
    // Never fails.
    explicit KeyboardReturn(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<const QObject*, QPointer<QWidget>> m_openedFrom;
};

} // namespace notarion
