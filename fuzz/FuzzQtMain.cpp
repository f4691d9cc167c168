#include "fuzz/FuzzQt.h"

#include <QApplication>

#include <cstdlib>

void StartFuzzApplication(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(*argc, *argv);
}
