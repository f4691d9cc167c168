#pragma once

#include "base/ProfileFile.h"
#include "main/ChartImage.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>
#include <string>

class TCycleTable;
class TDatalogging;
struct TChartWindow;
class QAction;
class QDateEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QStatusBar;
class QToolButton;
class QWidget;

// The format of the chart area's caption, with two "%s" for the two month names (UTF-8).
extern std::string ChartCaptionFormat;

// The program's main window: dates, person panels, the five charts and the commands.
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The settings window, created hidden right after this window and owned by it.
    void SetSettingsForm(QWidget* settingsForm);
    // The language the command line asks to start in (--language), known to exist; before the
    // first showing.
    void AskLanguage(std::optional<QString> language) { askedLanguage_ = std::move(language); }

    // The analysis refresh: recomputes the model and redraws everything the window shows.
    void actAnalysisExecute();

    void actGetCurrentDateExecute();
    void actExitExecute();
    void actSettingsExecute();
    void actAboutExecute();
    // Saves the chart area as PNG or PDF; prints it.
    void actSaveAsExecute();
    void actPrintExecute();
    // Writes the critical, unfavourable, good and bad days into an iCalendar file.
    void actExportCalendarExecute();
    // The detail reports: the person's cycles, critical days and the couple's compatibility.
    void actManInfoExecute();
    void actWomanInfoExecute();
    void actHelpExecute();
    // Every feature, in the language in use: its help document, or the built-in Russian guide.
    void actGuideExecute();
    // The couples a user keeps: choosing one sets both birth dates; saving keeps the two dates
    // under a name.
    void actChooseCoupleExecute();
    void actSaveCoupleExecute();

    // Built-in Russian texts: every text of every window, the application title, the chart
    // caption and the name tables.
    void ApplyBuiltInVocabulary();
    // Remembers the texts the main window was built with, before any language changes them.
    void KeepBuiltInTexts();
    // The texts the main window was built with, and the built-in language of the other windows.
    void RestoreBuiltInTexts();
    // Applies the language file of that name from the language folder, or the built-in
    // vocabulary when there is none; then the chart caption format and a refresh.
    void LoadLanguage(const QString& name);
    // Applies a language file's texts: title, caption, the window's components and the name
    // tables. Returns whether it set the chart area's caption. Throws EProgramError when the
    // window caption's format does not fit, with what was applied before it left in place.
    bool ApplyLanguage(const TProfileFile& file);
    // The "Language" menu: "Русский" and one item per language file found.
    void BuildLanguageMenu();
    // Loads the language a menu item names, its "&" removed.
    void LanguageItemClick(QObject* sender);
    // Reads the stored birth dates and display settings; returns the stored language, if any.
    std::optional<QString> ReadSettingsFile();
    // Writes the birth dates and display settings; throws EProgramError when it cannot.
    void WriteSettingsFile();

    // The click marker: a small white dot with a navy and a maroon ring.
    void imPhysicalMouseDown(TChartImage* sender, Qt::MouseButton button, int x, int y);
    // Shows a hint of any window of the program in the status bar; empty clears it.
    void StatusBarHint(const QString& hint);

    TChartImage* Chart(int index) const { return charts_[static_cast<std::size_t>(index)]; }

    // The name of the couple last chosen or saved, until a birth date changes; empty for none.
    const std::string& ShownCoupleName() const { return coupleName_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PersonPanel {
        QGroupBox* box = nullptr;
        QLabel* dateLabel = nullptr;
        QDateEdit* date = nullptr;
        QToolButton* info = nullptr;
        QLabel* zodiacImage = nullptr;
        QLabel* zodiac = nullptr;
        QLabel* elementImage = nullptr;
        QLabel* element = nullptr;
        QLabel* ageImage = nullptr;
        QLabel* age = nullptr;
        QLabel* daysImage = nullptr;
        QLabel* days = nullptr;
        QLabel* goodDayImage = nullptr;
        QLabel* goodDay = nullptr;
        QLabel* badDayImage = nullptr;
        QLabel* badDay = nullptr;

        // The six value labels that carry the person's colour.
        std::array<QLabel*, 6> ValueLabels() const {
            return {zodiac, element, age, days, goodDay, badDay};
        }
    };

    void FormCreate();
    void FormShow();
    void FormClose(QCloseEvent* event);

    void CreateActions();
    void CreateMenus();
    void CreateDatesPanel(QWidget* parent);
    PersonPanel CreatePersonPanel(QWidget* parent, bool man);
    void CreateChartArea(QWidget* parent);
    void ConnectDatePicker(QDateEdit* picker);
    void FillPanel(const PersonPanel& panel, const TDatalogging& person);
    // The person's curve on every chart, from the person's values over the window.
    void DrawCurves(const TDatalogging& person, const std::optional<TChartWindow>& window,
                    const TCycleTable& values);
    void SetPickerToNow(QDateEdit* picker);
    // The window's caption, followed by the name of the couple shown, if any.
    void SetCaption(const QString& caption);
    void ShowCouple(const std::string& name);
    void ShowDetailReport(bool man);

    QAction* NewAction(const char* name, const QString& caption, const QString& hint, int icon);
    QAction* NewMenuItem(QMenu* menu, const char* name, QAction* command,
                         const QString& caption = {});

    QWidget* settingsForm_ = nullptr;
    bool shown_ = false;
    std::optional<QString> askedLanguage_;
    QPointer<QWidget> hintWindow_; // the window whose hint the status bar shows
    std::string coupleName_;       // UTF-8
    std::string lastChosenCouple_; // what saving proposes, even once the dates changed
    QString caption_;              // the caption without the couple's name

    QAction* actAnalysis = nullptr;
    QAction* actGetCurrentDate = nullptr;
    QAction* actExit = nullptr;
    QAction* actShowOnlyManGraphics = nullptr;
    QAction* actShowOnlyWomanGraphics = nullptr;
    QAction* actSettings = nullptr;
    QAction* actAbout = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actPrint = nullptr;
    QAction* actExportCalendar = nullptr;
    QAction* actManInfo = nullptr;
    QAction* actWomanInfo = nullptr;
    QAction* actHelp = nullptr;
    QAction* actGuide = nullptr;
    QAction* actChooseCouple = nullptr;
    QAction* actSaveCouple = nullptr;

    QMenu* miFile = nullptr;
    QMenu* miLanguage = nullptr;
    QMenu* miView = nullptr;
    QMenu* miHelp = nullptr;
    QMenu* pmMain = nullptr;

    QWidget* pnFillDates = nullptr;
    QGroupBox* gbPrognoseDate = nullptr;
    QDateEdit* dtpPrognoseDate = nullptr;
    QToolButton* sbTodayDateDay = nullptr;
    PersonPanel man_;
    PersonPanel woman_;
    QGroupBox* gbGraphics = nullptr;
    std::array<QGroupBox*, 5> chartBoxes_{};
    std::array<TChartImage*, 5> charts_{};
    QStatusBar* StatusBarMain = nullptr;
};
