// Starts the program as it starts for a user and reports, once the main window has been mapped
// and painted, the time since launch and the peak resident memory (bench/FirstPaint.h); then
// quits. With "--beside" it starts from its own folder, as the program does (the settings file
// named after the probe's file, the languages in "Language/" there); otherwise from an empty
// folder.
#include "bench/FirstPaint.h"
#include "main/Application.h"
#include "main/MainUnit.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>
#include <string_view>

int main(int argc, char* argv[]) {
    TFirstPaintApplication app(argc, argv);
    PrepareApplication();
    const QTemporaryDir folder;
    const auto mainForm = std::make_unique<TMainForm>();
    if (!(argc > 1 && argv[1] == std::string_view("--beside")))
        ProgramFolder = folder.path() + QLatin1Char('/');
    mainForm->SetSettingsForm(new TSettingsForm(mainForm.get()));
    mainForm->show();
    const int result = QApplication::exec();
    mainForm->hide();
    return result;
}
