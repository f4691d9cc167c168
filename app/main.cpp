#include "app/InstanceMarker.h"
#include "cli/CommandLine.h"
#include "main/Application.h"
#include "main/MainUnit.h"
#include "settings/Settings.h"

#include <QApplication>

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
    PrepareApplication();

    // The settings window exists, hidden, before the main window is first shown: showing the
    // main window loads the settings into it.
    const auto mainForm = std::make_unique<TMainForm>();
    auto* settingsForm = new TSettingsForm(mainForm.get());
    mainForm->SetSettingsForm(settingsForm);
    mainForm->show();
    return QApplication::exec();
}
