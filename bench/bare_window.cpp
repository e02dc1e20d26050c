// The yardstick of the start-up benchmark: the least a Qt program does to
// show one empty frameless window of the main window's size. With --text the
// window shows one line of text as well, so the yardstick pays Qt's font
// set-up (reading the system's font configuration), which any program that
// shows a word pays once.

#include "ExitWhenShown.h"
#include "ui/layout/TFGlownyLayout.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(notarion::layout::glowny::kWindow.width,
                        notarion::layout::glowny::kWindow.height);
    if (argc > 1 && QString::fromLatin1(argv[1]) == QLatin1String("--text")) {
        auto* line = new QLabel(QStringLiteral(u"Notarion – klasyfikacja roczna"), &window);
        line->move(20, 20);
    }
    window.show();
    notarion::bench::ExitOnceShown(window);
    return application.exec();
}
