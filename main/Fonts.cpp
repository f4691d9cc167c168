#include "main/Fonts.h"

#include <QFile>
#include <QFontDatabase>

void RegisterBundledFonts() {
    static bool done = false;
    if (done)
        return;
    done = true;
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
        const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

bool HasFontFamily(const char* family) {
    return QFontDatabase::families().contains(QLatin1String(family));
}
