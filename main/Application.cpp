#include "main/Application.h"

#include "OrvantaVersion.h"
#include "widgets/Fonts.h"
#include "widgets/ImageList.h"
#include "widgets/PlainText.h"

#include <QApplication>
#include <QStyleFactory>

void PrepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramFullVersion));
    // Ties the windows to the desktop entry (and so its icon) on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvanta.Orvanta"));
    // The windows are laid out in pixels for this style's metrics.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    RegisterBundledFonts();
    MakeWindowFontTheDefault();
    QApplication::setWindowIcon(ProgramIcon());
    ShowToolTipsAsPlainText();
}
