// The yardstick of the start-up benchmark: the least a Qt program does to
// show one empty frameless window of the main window's size.

#include "ExitWhenShown.h"
#include "ui/layout/TFGlownyLayout.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(notarion::layout::glowny::kWindow.width,
                        notarion::layout::glowny::kWindow.height);
    window.show();
    notarion::bench::ExitOnceShown(window);
    return application.exec();
}
