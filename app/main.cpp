#include "OrvantaVersion.h"
#include "app/InstanceMarker.h"
#include "cli/CommandLine.h"
#include "main/MainUnit.h"
#include "settings/Settings.h"
#include "widgets/Fonts.h"
#include "widgets/ImageList.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

bool HaveDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // The command line needs no display, so it goes first.
    if (IsCommandLine(argc, argv))
        return RunCommandLine(argc, argv);
    if (!HaveDisplay()) {
        std::fputs("orvanta: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "to see it anyway, run it under xvfb-run.\n",
                   stderr);
        return 1;
    }
    const TInstanceMarker marker;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramFullVersion));
    // Ties the windows to the desktop entry (and so its icon) on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvanta.Orvanta"));
    // The windows are laid out in pixels for this style's metrics.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    RegisterBundledFonts();
    MakeWindowFontTheDefault();
    QApplication::setWindowIcon(ProgramIcon());

    // The settings window exists, hidden, before the main window is first shown: showing the
    // main window loads the settings into it.
    const auto mainForm = std::make_unique<TMainForm>();
    auto* settingsForm = new TSettingsForm(mainForm.get());
    mainForm->SetSettingsForm(settingsForm);
    mainForm->show();
    return QApplication::exec();
}
