#include <QGuiApplication>

#include <cstdlib>

// Text documents lay out with fonts, which need a QGuiApplication: one for the whole run.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}
