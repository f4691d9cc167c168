// The yardstick for the start-up probe: a bare Qt Widgets window of the main window's size,
// started and measured the same way. With "--text" it shows one line of text, so that the
// second yardstick carries what any window with words pays: fontconfig's configuration, the
// font database, a font engine and a text layout.
#include "bench/FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <string_view>

int main(int argc, char* argv[]) {
    TFirstPaintApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(787, 559);
    if (argc > 1 && argv[1] == std::string_view("--text"))
        (new QLabel(QStringLiteral("Mann"), &window))->move(8, 8);
    window.show();
    return QApplication::exec();
}
