#include "widgets/ImageList.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QString>

#include <cstdio>

// Writes the program icon into a hicolor icon theme tree, one PNG per size:
//   orvanta_icon_render <theme dir> <icon name> <size>...
// makes <theme dir>/<size>x<size>/apps/<icon name>.png. The pictures are those of ProgramIcon(),
// so the desktop shows exactly what the window and the About box show.
int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: orvanta_icon_render <theme dir> <icon name> <size>...\n", stderr);
        return 2;
    }
    // A build step: it never needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString themeDir = QString::fromLocal8Bit(argv[1]);
    const QString iconName = QString::fromLocal8Bit(argv[2]);
    const QIcon icon = ProgramIcon();
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "orvanta_icon_render: not a size: %s\n", argv[i]);
            return 2;
        }
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        // A size the icon has no picture for would come out smaller, not scaled up.
        if (image.size() != QSize(size, size)) {
            std::fprintf(stderr, "orvanta_icon_render: the program icon has no %dx%d picture\n",
                         size, size);
            return 1;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(size);
        const QString path = folder + QLatin1Char('/') + iconName + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "orvanta_icon_render: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
