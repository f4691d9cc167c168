// Long use: 100,000 analysis refreshes of the real main window, offscreen, with the dates and the
// display settings changing as they go, printing resident memory along the way. Run by
// scripts/long-use.sh; resident memory must level off after the first refreshes.
#include "main/Application.h"
#include "main/MainUnit.h"
#include "model/DateTime.h"
#include "model/DisplaySettings.h"
#include "settings/Settings.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

// Resident memory in kB, as the kernel counts it.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::atol(line.c_str() + 6);
    return -1;
}

QDateEdit* Picker(const QWidget& window, const char* name) {
    auto* picker = window.findChild<QDateEdit*>(QLatin1String(name));
    if (!picker) {
        std::fprintf(stderr, "no date picker %s\n", name);
        std::exit(1);
    }
    return picker;
}

} // namespace

int main(int argc, char* argv[]) {
    const long total = argc > 1 ? std::atol(argv[1]) : 100000;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    PrepareApplication();

    // As the program starts: the settings window exists before the main window is shown.
    auto mainForm = std::make_unique<TMainForm>();
    auto* settingsForm = new TSettingsForm(mainForm.get());
    mainForm->SetSettingsForm(settingsForm);
    mainForm->show();
    QApplication::processEvents();

    long refreshes = 0;
    auto* analysis = mainForm->findChild<QAction*>(QStringLiteral("actAnalysis"));
    QObject::connect(analysis, &QAction::triggered, [&refreshes] { ++refreshes; });
    QDateEdit* prognose = Picker(*mainForm, "dtpPrognoseDate");
    QDateEdit* man = Picker(*mainForm, "dtpManDateDay");
    QDateEdit* woman = Picker(*mainForm, "dtpWomanDateDay");

    const auto report = [&] {
        std::printf("%7ld refreshes: VmRSS %ld kB\n", refreshes, ResidentKilobytes());
        std::fflush(stdout);
    };
    report();
    const long start = ResidentKilobytes();
    long afterWarmUp = -1;
    long nextReport = 10000;
    const DisplayFlag flags[] = {DisplayFlag::ShowOrdinate,    DisplayFlag::ShowAbscissa,
                                 DisplayFlag::ShowDayLines,    DisplayFlag::ShowDayNumbers,
                                 DisplayFlag::UsePhysical,     DisplayFlag::UseEmotional,
                                 DisplayFlag::UseIntellectual, DisplayFlag::UseHeart};
    for (long step = 0; refreshes < total; ++step) {
        // Each step is one user action; every one of them ends in a refresh.
        switch (step % 8) {
        case 0:
            prognose->setDate(prognose->date().addDays(1 + step % 40));
            break;
        case 1:
            man->setDate(man->date().addDays(step % 2 ? 367 : -366));
            break;
        case 2:
            woman->setDate(woman->date().addDays(step % 3 ? -29 : 31));
            break;
        case 3: {
            const DisplayFlag flag = flags[(step / 8) % 8];
            DisplaySettings.SetFlag(flag, !DisplaySettings.Flag(flag));
            break;
        }
        case 4:
            DisplaySettings.SetDisplayMode((DisplaySettings.DisplayMode() + 1) % 3);
            break;
        case 5:
            DisplaySettings.ChangeManColor(static_cast<TColor>(step * 2654435761u) & 0xFFFFFF);
            break;
        case 6:
            DisplaySettings.ChangeWomanColor(static_cast<TColor>(step * 40503u) & 0xFFFFFF);
            break;
        default:
            analysis->trigger();
            break;
        }
        // The window repaints as it would between the user's actions.
        QApplication::processEvents();
        if (refreshes >= nextReport) {
            report();
            if (afterWarmUp < 0)
                afterWarmUp = ResidentKilobytes();
            nextReport += 10000;
        }
    }
    if (refreshes != nextReport - 10000)
        report();
    const long end = ResidentKilobytes();
    std::printf("growth: %+ld kB since the start, %+ld kB since the first 10000 refreshes\n",
                end - start, afterWarmUp < 0 ? 0 : end - afterWarmUp);
    return 0;
}
