#include "widgets/Fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

void RegisterBundledFonts() {
    static bool done = false;
    if (done)
        return;
    done = true;
    // Not tahomabd.ttf: its bold face draws no heavier than the regular one, while Qt's own
    // emboldening of the regular face shows bold texts as bold.
    for (const char* file : {"tahoma.ttf", "ms_sans_serif.ttf"}) {
        const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}

bool HasFontFamily(const char* family) {
    return QFontDatabase::families().contains(QLatin1String(family));
}

QFont WindowFont(bool bold) {
    const bool scaled = qApp && qApp->devicePixelRatio() > 1.0;
    QFont font = QApplication::font();
    if (!bold && !scaled && HasFontFamily("MS Sans Serif"))
        font = QFont(QStringLiteral("MS Sans Serif"));
    else if (HasFontFamily("Tahoma"))
        font = QFont(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

QFont RichTextFont() {
    QFont font = WindowFont(true);
    font.setBold(false);
    return font;
}

void MakeWindowFontTheDefault() {
    QApplication::setFont(WindowFont());
}
