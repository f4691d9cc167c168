#include "app/Windows.h"

#include "app/InstanceMarker.h"
#include "main/Application.h"
#include "main/MainUnit.h"
#include "settings/Settings.h"

#include <QApplication>

#include <memory>

int OrvantaWindowsMain(int argc, char* argv[]) {
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
