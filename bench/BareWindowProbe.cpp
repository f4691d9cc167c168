// The yardstick for the start-up probe: a bare Qt Widgets window of the main window's size,
// started and measured the same way.
#include "bench/FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    TFirstPaintApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(787, 559);
    window.show();
    return QApplication::exec();
}
