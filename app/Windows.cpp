#include "app/Windows.h"

#include "app/InstanceMarker.h"
#include "main/Application.h"
#include "main/MainUnit.h"
#include "platform/LanguageFile.h"
#include "platform/Translation.h"
#include "settings/Settings.h"

#include <QApplication>

#include <cstdio>
#include <optional>
#include <string>

#include <memory>

int OrvantaWindowsMain(int argc, char* argv[]) {
    const TInstanceMarker marker;

    QApplication app(argc, argv);
    PrepareApplication();
    const std::optional<QString> language = LanguageAsked(QCoreApplication::arguments());
    if (language && !StartLanguage(std::nullopt, language, LanguageFolder(), {})) {
        const std::string message =
            "orvanta: " + TrFormat({"CommandLine", "UnknownLanguage"}, {*language}).toStdString() +
            "\n";
        std::fputs(message.c_str(), stderr);
        return 2;
    }

    // The settings window exists, hidden, before the main window is first shown: showing the
    // main window loads the settings into it.
    const auto mainForm = std::make_unique<TMainForm>();
    auto* settingsForm = new TSettingsForm(mainForm.get());
    mainForm->SetSettingsForm(settingsForm);
    mainForm->AskLanguage(language);
    mainForm->show();
    return QApplication::exec();
}
