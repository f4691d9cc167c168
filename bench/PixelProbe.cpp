// Not a Google Benchmark program: writes what the main window shows in a row of states (the five
// chart images, a grab of the whole window, the settings file written at close) into a folder,
// so that two builds can be compared pixel for pixel and byte for byte (scripts/pixel-check.sh).
// Some states start the program from a settings file, as a user's stored settings start it;
// the others are the steps of one user changing dates and settings in a running window.
//   orvanta_pixel_probe <folder>
#include "main/Application.h"
#include "main/MainUnit.h"
#include "main/SettingsFile.h"
#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "platform/LanguageFile.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"
#include "widgets/ErrorBox.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPixmap>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct TDay {
    int year;
    int month;
    int day;
    QDate Date() const { return {year, month, day}; }
    TDateTime Time() const {
        return *EncodeDate(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    }
};

// A month boundary at the year's end, a leap February on its 29th, the last day of a month and
// the first.
constexpr TDay Dates[] = {{2026, 12, 7}, {2024, 2, 29}, {2025, 1, 31}, {2023, 7, 1}};
constexpr TDay ManBorn{1982, 12, 23};
constexpr TDay WomanBorn{1983, 9, 29};

// Cycles by bits (1 physical, 2 emotional, 4 intellectual, 8 heart); chart flags by bits
// (8 ordinate, 4 abscissa, 2 day lines, 1 day numbers).
constexpr unsigned CycleSets[] = {15, 0, 1, 2, 4, 8, 5, 10, 7};
constexpr unsigned FlagSets[] = {15, 0, 7, 11, 13, 14, 12, 3};
constexpr DisplayFlag ChartFlags[] = {DisplayFlag::ShowOrdinate, DisplayFlag::ShowAbscissa,
                                      DisplayFlag::ShowDayLines, DisplayFlag::ShowDayNumbers};

// A program start from a stored settings file, then the prognosis date set in its picker.
struct TStartState {
    TDay prognose;
    int mode = 0;
    unsigned cycles = 15;
    unsigned flags = 15;
    TDay man = ManBorn;
    TDay woman = WomanBorn;
    TColor manColor = clBlue;
    TColor womanColor = clRed;
    int opacity = TDisplaySettings::DefaultOpacity;
    QString language = {};
};

QString Name(const TStartState& s) {
    const auto day = [](const TDay& d) {
        return QStringLiteral("%1%2%3")
            .arg(d.year, 4, 10, QLatin1Char('0'))
            .arg(d.month, 2, 10, QLatin1Char('0'))
            .arg(d.day, 2, 10, QLatin1Char('0'));
    };
    QString name = QStringLiteral("%1-m%2-c%3-f%4-b%5-%6")
                       .arg(day(s.prognose))
                       .arg(s.mode)
                       .arg(s.cycles, 2, 10, QLatin1Char('0'))
                       .arg(s.flags, 2, 10, QLatin1Char('0'))
                       .arg(day(s.man), day(s.woman));
    if (s.manColor != clBlue || s.womanColor != clRed)
        name += QStringLiteral("-colours");
    if (s.opacity != TDisplaySettings::DefaultOpacity)
        name += QStringLiteral("-o%1").arg(s.opacity);
    if (!s.language.isEmpty())
        name += QStringLiteral("-lang%1").arg(s.language.toUtf8().toHex());
    return name;
}

std::vector<TStartState> StartStates() {
    std::vector<TStartState> states;
    // Every date in every mode, the cycle and flag sets taking turns.
    for (int i = 0; i < 16; ++i) {
        TStartState s{Dates[i / 4]};
        s.mode = i % 4 - 1;
        s.cycles = CycleSets[i % std::size(CycleSets)];
        s.flags = FlagSets[(i * 5) % std::size(FlagSets)];
        states.push_back(s);
    }
    for (unsigned cycles : CycleSets) {
        TStartState s{Dates[0]};
        s.cycles = cycles;
        states.push_back(s);
    }
    for (unsigned flags : FlagSets) {
        TStartState s{Dates[1]};
        s.flags = flags;
        states.push_back(s);
    }
    // Both born inside the charted months: one before the prognosis date, one after it; then
    // on the window's first day and on its last.
    for (int mode : {0, 1, 2}) {
        TStartState s{Dates[1], mode};
        s.man = {2024, 2, 10};
        s.woman = {2024, 3, 5};
        states.push_back(s);
        TStartState t{Dates[2], mode};
        t.man = {2025, 1, 1};
        t.woman = {2025, 2, 28};
        t.cycles = 5;
        states.push_back(t);
    }
    TStartState coloured{Dates[3]};
    coloured.manColor = 0x008000;
    coloured.womanColor = 0x800080;
    coloured.opacity = 200;
    states.push_back(coloured);
    for (const char* language : {"English", "中文"}) {
        TStartState s{Dates[1]};
        s.language = QString::fromUtf8(language);
        states.push_back(s);
    }
    return states;
}

QString Out;
bool Failed = false;

void Fail(const QString& what) {
    std::fprintf(stderr, "orvanta_pixel_probe: %s\n", qPrintable(what));
    Failed = true;
}

// The program as a fresh process has it, before it reads its settings file.
void ResetProgram() {
    DisplaySettings.DisconnectSettingsOnChange();
    DisplaySettings.SetAnalysisRefresh({});
    DisplaySettings.SetColorHandover({});
    DisplaySettings.RestoreDefaults();
    MonthNames.Clear();
    ZodiacNames.Clear();
    ElementNames.Clear();
    ChartCaptionFormat.clear();
}

QString SettingsFileIn(const QString& folder) {
    ProgramFolder = folder;
    return SettingsFilePath();
}

// A program folder with a language folder holding the named languages.
bool MakeProgramFolder(const QTemporaryDir& dir, const QStringList& languages) {
    if (!dir.isValid() || !QDir(dir.path()).mkdir(QStringLiteral("Language")))
        return false;
    for (const QString& language : languages) {
        const QString file = language + QStringLiteral(".lng.ini");
        if (!QFile::copy(QStringLiteral(ORVANTA_LANGUAGE_DIR "/") + file,
                         dir.path() + QStringLiteral("/Language/") + file))
            return false;
    }
    return true;
}

std::unique_ptr<TMainForm> StartProgram(const QString& folder, std::optional<QString> language) {
    auto form = std::make_unique<TMainForm>();
    ProgramFolder = folder;
    form->SetSettingsForm(new TSettingsForm(form.get()));
    form->AskLanguage(std::move(language));
    form->show();
    QCoreApplication::processEvents();
    return form;
}

void SaveImage(const QImage& image, const QString& name) {
    if (!image.save(Out + name))
        Fail(QStringLiteral("cannot write ") + Out + name);
}

void SaveShown(TMainForm& form, const QString& state) {
    QCoreApplication::processEvents();
    for (int chart = 0; chart < 5; ++chart)
        SaveImage(form.Chart(chart)->Image(),
                  state + QStringLiteral("-chart%1.png").arg(chart + 1));
    SaveImage(form.grab().toImage(), state + QStringLiteral("-window.png"));
}

void KeepSettingsFile(const QString& path, const QString& state) {
    const QString copy = Out + state + QStringLiteral("-settings.ini");
    QFile::remove(copy);
    if (!QFile::copy(path, copy))
        Fail(QStringLiteral("no settings file for ") + state);
}

void RunStartState(const TStartState& s) {
    const QString state = QStringLiteral("start-") + Name(s);
    const QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    if (!MakeProgramFolder(dir, s.language.isEmpty() ? QStringList() : QStringList{s.language})) {
        Fail(QStringLiteral("cannot make a program folder for ") + state);
        return;
    }
    ResetProgram();
    DisplaySettings.SetDisplayMode(s.mode);
    for (CycleKind kind : AllCycles)
        DisplaySettings.SetFlag(CycleFlag(kind), (s.cycles >> static_cast<unsigned>(kind)) & 1);
    for (std::size_t i = 0; i < std::size(ChartFlags); ++i)
        DisplaySettings.SetFlag(ChartFlags[i], (s.flags >> (3 - i)) & 1);
    DisplaySettings.SetManColor(s.manColor);
    DisplaySettings.SetWomanColor(s.womanColor);
    DisplaySettings.SetSettingsOpacity(s.opacity);
    const QString settings = SettingsFileIn(folder);
    SaveSettingsFile(settings, s.man.Time(), s.woman.Time());
    ResetProgram();

    auto form = StartProgram(folder, s.language.isEmpty() ? std::nullopt
                                                          : std::optional<QString>(s.language));
    form->findChild<QDateEdit*>(QStringLiteral("dtpPrognoseDate"))->setDate(s.prognose.Date());
    SaveShown(*form, state);
    form->close();
    KeepSettingsFile(settings, state);
}

// One user's session in one window: each step a change made through the window's controls.
void RunUserSteps() {
    const QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    if (!MakeProgramFolder(dir, {QStringLiteral("English"), QString::fromUtf8("中文")})) {
        Fail(QStringLiteral("cannot make a program folder for the user's steps"));
        return;
    }
    ResetProgram();
    const QString settings = SettingsFileIn(folder);
    auto form = StartProgram(folder, std::nullopt);
    auto* settingsForm = form->findChild<TSettingsForm*>();
    const auto button = [&](const char* name) {
        auto* found = settingsForm->findChild<QAbstractButton*>(QLatin1String(name));
        if (!found)
            Fail(QStringLiteral("no ") + QLatin1String(name));
        return found;
    };
    const auto click = [&](std::initializer_list<const char*> names) {
        for (const char* name : names)
            if (QAbstractButton* b = button(name))
                b->click();
    };
    const auto mode = [&](int item) {
        settingsForm->findChild<TRadioGroup*>(QStringLiteral("rgGraphics"))->Item(item)->click();
    };
    const auto picker = [&](const char* name, const TDay& day) {
        form->findChild<QDateEdit*>(QLatin1String(name))->setDate(day.Date());
    };
    const auto language = [&](const QString& name) {
        for (QAction* item : form->findChild<QMenu*>(QStringLiteral("miLanguage"))->actions())
            if (item->text().remove(QLatin1Char('&')) == name) {
                item->trigger();
                return;
            }
        Fail(QStringLiteral("no language item ") + name);
    };
    const std::vector<std::pair<const char*, std::function<void()>>> steps{
        {"date-20261207", [&] { picker("dtpPrognoseDate", Dates[0]); }},
        {"no-day-lines", [&] { click({"cbAxis"}); }},
        {"no-day-numbers", [&] { click({"cbMonthNumbers"}); }},
        {"day-lines-no-ordinate",
         [&] {
             click({"cbAxis", "cbOrdinate_Y"});
         }},
        {"no-abscissa", [&] { click({"cbAbscissa_X"}); }},
        {"all-flags",
         [&] {
             click({"cbAbscissa_X", "cbOrdinate_Y", "cbMonthNumbers"});
         }},
        {"physical-only",
         [&] {
             click({"chkEmotional", "chkSavvy", "chkWarmhearted"});
         }},
        {"physical-kept", [&] { click({"chkPhysical"}); }},
        {"heart-only",
         [&] {
             click({"chkWarmhearted", "chkPhysical"});
         }},
        {"woman-only", [&] { mode(1); }},
        {"man-only", [&] { mode(2); }},
        {"date-20240229", [&] { picker("dtpPrognoseDate", Dates[1]); }},
        {"colours",
         [&] {
             DisplaySettings.ChangeManColor(0x008000);
             DisplaySettings.ChangeWomanColor(0x800080);
         }},
        {"both", [&] { mode(0); }},
        {"born-inside",
         [&] {
             picker("dtpManDateDay", {2024, 2, 10});
             picker("dtpWomanDateDay", {2024, 3, 5});
         }},
        {"date-20250131", [&] { picker("dtpPrognoseDate", Dates[2]); }},
        {"english", [&] { language(QStringLiteral("English")); }},
        {"defaults", [&] { click({"btDefault"}); }},
        {"born-long-ago",
         [&] {
             picker("dtpManDateDay", ManBorn);
             picker("dtpWomanDateDay", WomanBorn);
         }},
        {"date-20230701", [&] { picker("dtpPrognoseDate", Dates[3]); }},
        {"chinese", [&] { language(QString::fromUtf8("中文")); }},
        {"russian", [&] { language(QString::fromUtf8("Русский")); }},
    };
    int n = 0;
    for (const auto& [name, step] : steps) {
        step();
        const QString state =
            QStringLiteral("user-%1-%2").arg(++n, 2, 10, QLatin1Char('0')).arg(QLatin1String(name));
        SaveShown(*form, state);
        form->WriteSettingsFile();
        KeepSettingsFile(settings, state);
    }
    form->close();
    KeepSettingsFile(settings, QStringLiteral("user-closed"));
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: orvanta_pixel_probe <folder for the pictures>\n", stderr);
        return 2;
    }
    Out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir().mkpath(Out);
    PrepareApplication();
    // A cursor that blinks would make a grab depend on when it is taken; the system's languages
    // would choose the start-up language.
    QApplication::setCursorFlashTime(0);
    SystemUiLanguages = [] { return QStringList(); };
    SetErrorBoxHandler([](const QString& text) { Fail(QStringLiteral("error box: ") + text); });
    for (const TStartState& s : StartStates())
        RunStartState(s);
    RunUserSteps();
    return Failed ? 1 : 0;
}
