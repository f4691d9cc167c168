#include "widgets/Fonts.h"

#include "platform/WholeFile.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QPointer>
#include <QtEndian>

#include <optional>

QByteArray WithoutStandardLigatures(QByteArray font) {
    const auto fits = [&font](qint64 at, qint64 size) {
        return at >= 0 && size <= font.size() && at <= font.size() - size;
    };
    const auto number = [&font](qint64 at, qint64 size) -> qint64 {
        return size == 2 ? qFromBigEndian<quint16>(font.constData() + at)
                         : qFromBigEndian<quint32>(font.constData() + at);
    };
    // The table directory: a count at 4, records of 16 bytes from 12 (tag, checksum, offset).
    if (!fits(0, 12))
        return font;
    for (qint64 record = 12, n = number(4, 2); n > 0 && fits(record, 16); --n, record += 16) {
        if (font.mid(record, 4) != "GSUB" || !fits(number(record + 8, 4), 10))
            continue;
        // The substitutions' features: a count, then records of 6 bytes (tag, offset).
        const qint64 table = number(record + 8, 4);
        const qint64 features = table + number(table + 6, 2);
        if (!fits(features, 2))
            continue;
        for (qint64 at = features + 2, count = number(features, 2); count > 0 && fits(at, 6);
             --count, at += 6)
            if (font.mid(at, 4) == "liga")
                font.replace(at, 4, "dlig");
    }
    return font;
}

void RegisterBundledFonts() {
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString folder = QStringLiteral("/usr/share/wine/fonts/");
    // Not tahomabd.ttf: its bold face draws no heavier than the regular one, while Qt's own
    // emboldening of the regular face shows bold texts as bold. Tahoma's own ligatures ("fi",
    // "fl") stay: the charts and the windows are laid out with them.
    if (QFile::exists(folder + QStringLiteral("tahoma.ttf")))
        QFontDatabase::addApplicationFont(folder + QStringLiteral("tahoma.ttf"));
    const TFileRead sansSerif =
        ReadRegularFile(folder + QStringLiteral("ms_sans_serif.ttf"), 16 * 1024 * 1024);
    if (sansSerif.status == TFileRead::Read)
        QFontDatabase::addApplicationFontFromData(WithoutStandardLigatures(sansSerif.bytes));
}

bool HasFontFamily(const char* family) {
    return QFontDatabase::families().contains(QLatin1String(family));
}

namespace {

struct TBundledFamilies {
    bool sansSerif = false;
    bool tahoma = false;
};

// Which of the two families the font database knows: asked once, and again after its fonts
// changed (Qt says so when application fonts are added or removed). A refresh asks a dozen times.
TBundledFamilies BundledFamilies() {
    static std::optional<TBundledFamilies> known;
    static QPointer<QCoreApplication> watched;
    if (!qApp)
        return {HasFontFamily("MS Sans Serif"), HasFontFamily("Tahoma")};
    if (watched != qApp) {
        watched = qApp;
        known.reset();
        QObject::connect(qApp, &QGuiApplication::fontDatabaseChanged, qApp, [] { known.reset(); });
    }
    if (!known)
        known = TBundledFamilies{HasFontFamily("MS Sans Serif"), HasFontFamily("Tahoma")};
    return *known;
}

} // namespace

QFont WindowFont(bool bold) {
    const bool scaled = qApp && qApp->devicePixelRatio() > 1.0;
    const TBundledFamilies families = BundledFamilies();
    QFont font = QApplication::font();
    if (!bold && !scaled && families.sansSerif)
        font = QFont(QStringLiteral("MS Sans Serif"));
    else if (families.tahoma)
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
