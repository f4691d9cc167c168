#include "main/MainUnit.h"
#include "platform/ProgramFolder.h"

#include "OrvantaVersion.h"
#include "base/TextFormat.h"
#include "base/Vocabulary.h"
#include "main/CalendarExport.h"
#include "main/ChartExport.h"
#include "main/ChartReadout.h"
#include "main/CoupleDialogs.h"
#include "main/DetailReport.h"
#include "main/SettingsFile.h"
#include "model/Charts.h"
#include "model/DisplaySettings.h"
#include "model/Error.h"
#include "model/Shared.h"
#include "platform/Dates.h"
#include "platform/LanguageFile.h"
#include "platform/Translation.h"
#include "report/CoupleReport.h"
#include "viewer/InfoViewer.h"
#include "widgets/Accessibility.h"
#include "widgets/ErrorBox.h"
#include "widgets/Fonts.h"
#include "widgets/GroupBox.h"
#include "widgets/ImageCanvas.h"
#include "widgets/ImageList.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <cstring>

std::string ChartCaptionFormat;

namespace {

constexpr int ClientWidth = 787;
constexpr int ClientHeight = 541;
constexpr int PanelWidth = 180;

// A separator in a menu bar whose style draws one pushes the items after it to the right end.
class TMenuBarStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DrawMenuBarSeparator)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

QGroupBox* NewGroupBox(const char* name, const QString& caption, QWidget* parent, QRect geometry) {
    auto* box = new TGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QLabel* NewLabel(const char* name, QWidget* parent, int x, int y, const QString& text = {}) {
    auto* label = new QLabel(text.isEmpty() ? QLatin1String(name) : text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // a language file's text is no markup
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* NewIcon(const char* name, QWidget* parent, int x, int y, const QString& hint) {
    auto* image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(x, y, 32, 32);
    image->setScaledContents(true);
    SetHint(image, hint);
    return image;
}

QDateEdit* NewDatePicker(const char* name, QWidget* parent, int x, int y, QDate first) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setGeometry(x, y, 130, 21);
    picker->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    picker->setDisplayFormat(QStringLiteral("d MMMM yyyy г."));
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    picker->setDate(first);
    return picker;
}

QToolButton* NewSpeedButton(const char* name, QWidget* parent, QRect geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(ButtonIcon(QLatin1String(name)));
    return button;
}

// A button with a picture of its own that runs a command and shows the command's hint.
void CarryCommand(QToolButton* button, QAction* command) {
    const auto follow = [button, command] { SetHint(button, command->statusTip()); };
    follow();
    QObject::connect(command, &QAction::changed, button, follow);
    QObject::connect(button, &QToolButton::clicked, command, &QAction::trigger);
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The language's help document where it has one; the built-in document otherwise.
void ShowHelpDocument(QWidget* owner, const QString& caption, const QString& builtIn) {
    if (const auto help = LanguageHelpDocument())
        ShowRtfInViewer(owner, caption, *help);
    else
        ShowInfoViewer(owner, caption, builtIn);
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    SetCaption(QStringLiteral("MainForm"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(WindowFont());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    CreateActions();
    CreateMenus();
    CreateDatesPanel(client);
    CreateChartArea(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    DisplaySettings.DisconnectSettingsOnChange();
    DisplaySettings.SetAnalysisRefresh({});
}

void TMainForm::SetSettingsForm(QWidget* settingsForm) {
    settingsForm_ = settingsForm;
}

QAction* TMainForm::NewAction(const char* name, const QString& caption, const QString& hint,
                              int icon) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (icon >= 0)
        action->setIcon(ilMain().Icon(icon));
    return action;
}

void TMainForm::CreateActions() {
    const auto guarded = [this](QAction* action, void (TMainForm::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    actAnalysis = NewAction("actAnalysis", QStringLiteral("Анализ"), {}, 6);
    actAnalysis->setShortcut(Qt::Key_F5);
    addAction(actAnalysis); // no menu carries it: its key works whenever this window is active
    guarded(actAnalysis, &TMainForm::actAnalysisExecute);
    actGetCurrentDate =
        NewAction("actGetCurrentDate", {}, QStringLiteral("Установить текущую дату"), 3);
    actGetCurrentDate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    guarded(actGetCurrentDate, &TMainForm::actGetCurrentDateExecute);
    actExit = NewAction("actExit", QStringLiteral("В&ыход"), {}, 7);
    actExit->setShortcut(Qt::Key_Escape);
    guarded(actExit, &TMainForm::actExitExecute);
    // Only names a language file may address; nothing runs them.
    actShowOnlyManGraphics = NewAction("actShowOnlyManGraphics", {}, {}, 2);
    actShowOnlyWomanGraphics = NewAction("actShowOnlyWomanGraphics", {}, {}, 1);
    actSettings = NewAction("actSettings", QStringLiteral("Настройки"), {}, 5);
    actSettings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    guarded(actSettings, &TMainForm::actSettingsExecute);
    actAbout = NewAction("actAbout", QStringLiteral("О программе"), {}, 4);
    guarded(actAbout, &TMainForm::actAboutExecute);
    actSaveAs = NewAction("actSaveAs", QStringLiteral("Сохранить как"), {}, -1);
    guarded(actSaveAs, &TMainForm::actSaveAsExecute);
    actPrint = NewAction("actPrint", QStringLiteral("Печать..."), {}, -1);
    actPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    guarded(actPrint, &TMainForm::actPrintExecute);
    actExportCalendar = NewAction(
        "actExportCalendar", QStringLiteral("Экспорт в календарь..."),
        QStringLiteral(
            "Записать критические, неблагоприятные, хорошие и плохие дни в файл календаря"),
        -1);
    guarded(actExportCalendar, &TMainForm::actExportCalendarExecute);
    actManInfo = NewAction("actManInfo", {}, QStringLiteral("Подробная информация"), 2);
    actManInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    guarded(actManInfo, &TMainForm::actManInfoExecute);
    actWomanInfo = NewAction("actWomanInfo", {}, QStringLiteral("Подробная информация"), 1);
    actWomanInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
    guarded(actWomanInfo, &TMainForm::actWomanInfoExecute);
    actHelp = NewAction("actHelp", QStringLiteral("Справка"), {}, 9);
    actHelp->setShortcut(Qt::Key_F1);
    guarded(actHelp, &TMainForm::actHelpExecute);
    actGuide = NewAction("actGuide", QStringLiteral("Руководство пользователя"),
                         QStringLiteral("Всё, что умеет программа, и её клавиши"), -1);
    actGuide->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    guarded(actGuide, &TMainForm::actGuideExecute);
    actChooseCouple =
        NewAction("actChooseCouple", QStringLiteral("Выбрать пару..."),
                  QStringLiteral("Выбрать сохранённую пару: обе даты рождения сразу"), -1);
    actChooseCouple->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    guarded(actChooseCouple, &TMainForm::actChooseCoupleExecute);
    actSaveCouple = NewAction("actSaveCouple", QStringLiteral("Сохранить пару..."),
                              QStringLiteral("Сохранить обе даты рождения под именем пары"), -1);
    actSaveCouple->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    guarded(actSaveCouple, &TMainForm::actSaveCoupleExecute);
}

QAction* TMainForm::NewMenuItem(QMenu* menu, const char* name, QAction* command,
                                const QString& caption) {
    // A menu item of its own that carries the command: a language file may set the item's
    // caption without touching the command, while the command's changes reach the item. An item
    // with a caption of its own keeps it.
    auto* item = new QAction(caption, menu);
    item->setObjectName(QLatin1String(name));
    // The item owns the command's key, so that menus show it and assistive technologies read it
    // as the item's shortcut, apart from its name. Qt runs neither of two owners it matches at
    // once: a command a menu bar's item carries belongs to no widget, and the items of the
    // pop-up menu, which is in no menu bar, never match.
    const auto follow = [item, command, own = !caption.isEmpty()] {
        if (!own)
            item->setText(command->text());
        item->setShortcut(command->shortcut());
        item->setIcon(command->icon());
        item->setToolTip(command->statusTip());
        item->setStatusTip(command->statusTip());
    };
    follow();
    item->setShortcutVisibleInContextMenu(true);
    connect(command, &QAction::changed, item, follow);
    connect(item, &QAction::triggered, command, &QAction::trigger);
    menu->addAction(item);
    return item;
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto* style = new TMenuBarStyle;
    style->setParent(bar);
    bar->setStyle(style);

    miFile = bar->addMenu(QStringLiteral("&Файл"));
    miFile->setObjectName(QStringLiteral("miFile"));
    miFile->menuAction()->setObjectName(QStringLiteral("miFile"));
    NewMenuItem(miFile, "miChooseCouple", actChooseCouple);
    NewMenuItem(miFile, "miSaveCouple", actSaveCouple);
    miFile->addSeparator()->setObjectName(QStringLiteral("miSep_Couples"));
    NewMenuItem(miFile, "actSettings1", actSettings);
    NewMenuItem(miFile, "N1", actSaveAs);
    NewMenuItem(miFile, "miPrint", actPrint);
    NewMenuItem(miFile, "miExportCalendar", actExportCalendar);
    miLanguage = miFile->addMenu(QStringLiteral("Language"));
    miLanguage->setObjectName(QStringLiteral("miLanguage"));
    miLanguage->menuAction()->setObjectName(QStringLiteral("miLanguage"));
    miLanguage->menuAction()->setVisible(false);
    miFile->addSeparator()->setObjectName(QStringLiteral("miSep_File"));
    NewMenuItem(miFile, "miClose", actExit);

    miView = bar->addMenu(QStringLiteral("&Вид"));
    miView->setObjectName(QStringLiteral("miView"));
    miView->menuAction()->setObjectName(QStringLiteral("miView"));
    NewMenuItem(miView, "miToday", actGetCurrentDate, QStringLiteral("Сегодня"));
    miView->addSeparator()->setObjectName(QStringLiteral("miSep_View"));
    NewMenuItem(miView, "miManInfo", actManInfo, QStringLiteral("Подробная информация о мужчине"));
    NewMenuItem(miView, "miWomanInfo", actWomanInfo,
                QStringLiteral("Подробная информация о женщине"));

    bar->addSeparator();
    miHelp = bar->addMenu(QStringLiteral("Помощь"));
    miHelp->setObjectName(QStringLiteral("miHelp"));
    miHelp->menuAction()->setObjectName(QStringLiteral("miHelp"));
    NewMenuItem(miHelp, "N2", actHelp);
    NewMenuItem(miHelp, "miGuide", actGuide);
    miHelp->addSeparator()->setObjectName(QStringLiteral("miSep_Help"));
    NewMenuItem(miHelp, "N5", actAbout);

    pmMain = new QMenu(this);
    pmMain->setObjectName(QStringLiteral("pmMain"));
    NewMenuItem(pmMain, "mipmSettings", actSettings);
    pmMain->addSeparator()->setObjectName(QStringLiteral("mipmSeparator"));
    NewMenuItem(pmMain, "mipmHelp", actHelp);
    NewMenuItem(pmMain, "mipmAbout", actAbout);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmMain->popup(mapToGlobal(at)); });
}

void TMainForm::CreateDatesPanel(QWidget* parent) {
    pnFillDates = new QWidget(parent);
    pnFillDates->setObjectName(QStringLiteral("pnFillDates"));
    pnFillDates->setGeometry(0, 0, PanelWidth, ClientHeight);

    gbPrognoseDate = NewGroupBox("gbPrognoseDate", QStringLiteral(" Прогноз на дату "), pnFillDates,
                                 {0, 0, PanelWidth, 41});
    dtpPrognoseDate = NewDatePicker("dtpPrognoseDate", gbPrognoseDate, 8, 15, QDate(2008, 1, 1));
    // The charts span the prognosis month and the next, and the calendar ends with 9999.
    dtpPrognoseDate->setMaximumDate(QDate(9999, 11, 30));
    sbTodayDateDay = NewSpeedButton("sbTodayDateDay", gbPrognoseDate, {145, 15, 23, 22});
    CarryCommand(sbTodayDateDay, actGetCurrentDate);

    man_ = CreatePersonPanel(pnFillDates, true);
    woman_ = CreatePersonPanel(pnFillDates, false);
}

TMainForm::PersonPanel TMainForm::CreatePersonPanel(QWidget* parent, bool man) {
    const auto n = [man](const char* manName, const char* womanName) {
        return man ? manName : womanName;
    };
    PersonPanel p;
    p.box = NewGroupBox(n("gbMan", "gbWoman"),
                        man ? QStringLiteral(" Мужчина ") : QStringLiteral(" Женщина "), parent,
                        {0, man ? 41 : 291, PanelWidth, 250});
    p.dateLabel = NewLabel(n("lbManDateDay", "lbWomanDateDay"), p.box, 8, 14,
                           man ? QStringLiteral("Дата рождения мужчины")
                               : QStringLiteral("Дата рождения женщины"));
    p.date = NewDatePicker(n("dtpManDateDay", "dtpWomanDateDay"), p.box, 8, man ? 31 : 29,
                           man ? QDate(1982, 12, 23) : QDate(1983, 9, 29));
    p.dateLabel->setBuddy(p.date); // which names the date for assistive technologies
    p.info = NewSpeedButton(n("sbInfoMan", "sbInfoWoman"), p.box, {145, 28, 23, man ? 23 : 22});
    CarryCommand(p.info, man ? actManInfo : actWomanInfo);

    // Each result: its picture with the hint at x 8, its value label at x 45. The woman's rows
    // sit a pixel or three higher than the man's.
    struct Result {
        const char* image[2];
        const char* label[2];
        const char* hint;
        int imageTop[2];
        int labelTop[2];
        QLabel* PersonPanel::*imageMember;
        QLabel* PersonPanel::*labelMember;
    };
    static constexpr std::array<Result, 6> results{{
        {{"imMZodiac", "imWZodiac"},
         {"lbMZodiac", "lbWZodiac"},
         "Знак зодиака",
         {56, 54},
         {65, 64},
         &PersonPanel::zodiacImage,
         &PersonPanel::zodiac},
        {{"imMElement", "imWElement"},
         {"lbMElement", "lbWElement"},
         "Стихия знака зодиака",
         {87, 85},
         {96, 94},
         &PersonPanel::elementImage,
         &PersonPanel::element},
        {{"imMAge", "imWAge"},
         {"lbMAge", "lbWAge"},
         "Возраст",
         {118, 116},
         {129, 126},
         &PersonPanel::ageImage,
         &PersonPanel::age},
        {{"imMQuanDays", "imWQuanDays"},
         {"lbMQuanDays", "lbWQuanDays"},
         "Возраст (в днях)",
         {149, 147},
         {160, 157},
         &PersonPanel::daysImage,
         &PersonPanel::days},
        {{"imMMaxDay", "imWMaxDay"},
         {"lbMMaxDay", "lbWMaxDay"},
         "Ближайший хороший день",
         {180, 178},
         {190, 188},
         &PersonPanel::goodDayImage,
         &PersonPanel::goodDay},
        {{"imMMinDay", "imWMinDay"},
         {"lbMMinDay", "lbWMinDay"},
         "Ближайший плохой день",
         {211, 209},
         {221, 220},
         &PersonPanel::badDayImage,
         &PersonPanel::badDay},
    }};
    const int who = man ? 0 : 1;
    for (const Result& r : results) {
        p.*r.imageMember =
            NewIcon(r.image[who], p.box, 8, r.imageTop[who], QString::fromUtf8(r.hint));
        p.*r.labelMember = NewLabel(r.label[who], p.box, 45, r.labelTop[who]);
    }
    return p;
}

void TMainForm::CreateChartArea(QWidget* parent) {
    gbGraphics = NewGroupBox("gbGraphics", QStringLiteral(" Графики биоритмов для %s и %s "),
                             parent, {PanelWidth, 0, ClientWidth - PanelWidth, ClientHeight});
    struct Chart {
        const char* box;
        const char* image;
        const char* caption;
    };
    static constexpr std::array<Chart, 5> charts{{
        {"gbPhysical", "imPhysical", " Физический - здоровье и физическое совершенство "},
        {"gbEmotional", "imEmotional", " Эмоциональный - красота "},
        {"gbSavvy", "imSavvy", " Интелектуальный - ум "},
        {"gbWarmhearted", "imWarmhearted", " Сердечный - любовь"},
        {"gbAllOrvanta", "imAllOrvanta", " Среднее значение "},
    }};
    for (std::size_t i = 0; i < charts.size(); ++i) {
        QGroupBox* box = NewGroupBox(charts[i].box, QString::fromUtf8(charts[i].caption),
                                     gbGraphics, {2, 15 + 100 * static_cast<int>(i), 603, 100});
        auto* image = new TChartImage(charts[i].image, box);
        image->move(12, 15);
        image->SetPressHandler([this](TChartImage* sender, Qt::MouseButton button, int x, int y) {
            RunGuarded([&] { imPhysicalMouseDown(sender, button, x, y); });
        });
        chartBoxes_[i] = box;
        charts_[i] = image;
    }
    StatusBarMain = new QStatusBar(gbGraphics);
    StatusBarMain->setObjectName(QStringLiteral("StatusBarMain"));
    StatusBarMain->setSizeGripEnabled(false);
    StatusBarMain->setGeometry(2, ClientHeight - 2 - 19, 603, 19);
}

void TMainForm::FormCreate() {
    qApp->installEventFilter(this);
    ProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    DisplaySettings.SetAnalysisRefresh([this] { actAnalysis->trigger(); });
    DisplaySettings.SetColorHandover(SetPersonColor);
    KeepBuiltInTexts();
}

namespace {

// Centres a window on its screen's available area when it is first shown. A window larger than
// the area in a direction starts at the area's edge instead, so that its title bar stays on the
// screen. On X11 the frame is not known before the window manager has put it around the window:
// the window manager is then asked to place the frame itself there (Wayland places windows itself).
void PlaceOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    QPoint target = area.center() - frame.center() + frame.topLeft();
    const bool wide = frame.width() > area.width();
    const bool tall = frame.height() > area.height();
    if (wide)
        target.setX(area.left());
    if (tall)
        target.setY(area.top());
    window->move(target - frame.topLeft() + window->pos());
    QWindow* native = window->windowHandle();
    if ((wide || tall) && native && native->frameMargins().isNull() &&
        QGuiApplication::platformName() == QLatin1String("xcb")) {
        // The native window takes the widget's size first: showing would set it otherwise, and
        // with it the position back to the client area's.
        native->setGeometry(QRect(target, window->size()));
        native->setFramePosition(target);
    }
}

} // namespace

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
    // Placed once start-up has set its texts, which may change its size.
    PlaceOnScreen(this);
}

void TMainForm::FormShow() {
    // Start-up guard: a damaged settings or language file never stops the start. A language that
    // cannot be applied is reported once, over the window, and the built-in texts stand in for
    // it; the "Language" menu is built either way, so another language can be chosen.
    // The empty catch blocks are the guard's whole point: whatever a damaged file makes these
    // steps throw ends the step silently and start-up goes on, as the program always did.
    QString language;
    try {
        // A start-up language from the command line was checked before the window was made.
        language =
            StartLanguage(ReadSettingsFile(), askedLanguage_, LanguageFolder(), SystemUiLanguages())
                .value_or(QString());
    } catch (...) {
        // silent: the settings read so far stay, the rest keep their defaults
    }
    const auto builtIn = [this] {
        ApplyBuiltInVocabulary();
        ChartCaptionFormat = gbGraphics->title().toStdString();
    };
    try {
        LoadLanguage(language);
    } catch (const std::exception& error) {
        builtIn();
        QTimer::singleShot(0, this,
                           [message = QString::fromUtf8(error.what())] { ShowErrorBox(message); });
    } catch (...) {
        builtIn(); // silent: a failure that carries no message has nothing to show
    }
    try {
        BuildLanguageMenu();
    } catch (...) {
        // silent: the menu stays as far as it was built
    }
    SetPickerToNow(dtpPrognoseDate);
    ConnectDatePicker(dtpPrognoseDate);
    ConnectDatePicker(man_.date);
    ConnectDatePicker(woman_.date);
    // A birth date the user changes is no longer the couple's: its name goes.
    for (QDateEdit* picker : {man_.date, woman_.date})
        connect(picker, &QDateEdit::dateChanged, this, [this] { ShowCouple({}); });
    Prognose.Man.SetColor(DisplaySettings.ManColor());
    Prognose.Woman.SetColor(DisplaySettings.WomanColor());
    for (const PersonPanel* p : {&man_, &woman_}) {
        p->daysImage->setPixmap(ilInformers().Pixmap(13));
        p->goodDayImage->setPixmap(ilInformers().Pixmap(14));
        p->badDayImage->setPixmap(ilInformers().Pixmap(15));
        p->ageImage->setPixmap(ilInformers().Pixmap(16));
    }
    DisplaySettings.ConnectSettingsOnChange();
    actAnalysis->trigger();
    DescribeForAssistiveTechnologies(this);
    dtpPrognoseDate->setFocus();
}

void TMainForm::ConnectDatePicker(QDateEdit* picker) {
    // Connected once, however often start-up asks: only the user's change runs the refresh.
    if (picker->property("connected").toBool())
        return;
    picker->setProperty("connected", true);
    connect(picker, &QDateEdit::dateChanged, actAnalysis, &QAction::trigger);
}

void TMainForm::SetPickerToNow(QDateEdit* picker) {
    const QSignalBlocker blocker(picker);
    picker->setDate(QDate::currentDate());
}

void TMainForm::SetCaption(const QString& caption) {
    caption_ = caption;
    setWindowTitle(Text(Titled(caption_.toStdString(), coupleName_)));
}

void TMainForm::ShowCouple(const std::string& name) {
    if (name == coupleName_)
        return;
    coupleName_ = name;
    SetCaption(caption_);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose(event);
}

void TMainForm::FormClose(QCloseEvent* event) {
    try {
        WriteSettingsFile();
        event->accept();
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
        event->ignore();
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip && watched->isWidgetType()) {
        const QString hint = static_cast<QStatusTipEvent*>(event)->tip();
        QWidget* from = static_cast<QWidget*>(watched)->window();
        // The viewer hands its hints on to this window: the same hint once more, from here.
        if (from != this || hint != StatusBarMain->currentMessage())
            hintWindow_ = from;
        StatusBarHint(hint);
    }
    // A window that closes takes its hint with it: nothing under the pointer says otherwise.
    if (event->type() == QEvent::Hide && watched == hintWindow_ && watched != this) {
        hintWindow_ = nullptr;
        StatusBarHint({});
    }
    // The date pickers would keep Esc for themselves; in this window it is the exit command.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::StatusBarHint(const QString& hint) {
    if (hint.isEmpty())
        StatusBarMain->clearMessage();
    else
        StatusBarMain->showMessage(hint);
}

void TMainForm::ApplyBuiltInVocabulary() {
    RestoreBuiltInTexts();
    const std::string version(ProgramVersion);
    SetCaption(Text(FormatText(BuiltInMainCaption, std::span(&version, 1))));
    ApplicationTitle = Text(std::string(BuiltInApplicationTitle));
    gbGraphics->setTitle(Text(std::string(BuiltInChartCaption)));
}

std::optional<QString> TMainForm::ReadSettingsFile() {
    const TStoredSettings stored = ApplySettingsFile(LoadSettingsFile(SettingsFilePath()));
    // Dates from code run no refresh: only the user's change of a picker does.
    const auto setDate = [](QDateEdit* picker, const std::optional<TDateTime>& date) {
        if (!date || !ToQDate(*date).isValid())
            return;
        const QSignalBlocker blocker(picker);
        picker->setDate(ToQDate(*date));
    };
    setDate(man_.date, stored.ManBirthDate);
    setDate(woman_.date, stored.WomanBirthDate);
    ConnectDatePicker(man_.date);
    ConnectDatePicker(woman_.date);
    return stored.Language;
}

void TMainForm::WriteSettingsFile() {
    SaveSettingsFile(SettingsFilePath(), ToDateTime(man_.date->date()),
                     ToDateTime(woman_.date->date()));
}

namespace {

// Gives a label a text colour and a font, each only when it has another: Qt would work out the
// inherited palette and font to find nothing to change.
void ShowIn(QLabel* label, const QColor& color, const QFont& font) {
    QPalette palette = label->palette();
    const QBrush brush(color);
    bool shown = true;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        shown = shown && palette.isBrushSet(group, QPalette::WindowText) &&
                palette.brush(group, QPalette::WindowText) == brush;
    if (!shown) {
        palette.setColor(QPalette::WindowText, color);
        label->setPalette(palette);
    }
    if (label->font() != font)
        label->setFont(font);
}

} // namespace

void TMainForm::actAnalysisExecute() {
    HideChartReadout();
    const QFont bold = WindowFont(true);
    for (const PersonPanel* p : {&man_, &woman_}) {
        const TColor color = p == &man_ ? Prognose.Man.Color : Prognose.Woman.Color;
        for (QLabel* label : p->ValueLabels())
            ShowIn(label, QColor(ToQRgb(color)), bold);
    }

    Prognose.SetPrognoseDate(ToDateTime(dtpPrognoseDate->date()));
    Prognose.Man.SetBirthDate(ToDateTime(man_.date->date()));
    Prognose.Woman.SetBirthDate(ToDateTime(woman_.date->date()));
    // Each person's values, computed once for the search and every curve of this refresh.
    const auto window = ChartWindow(Prognose.PrognoseDate);
    const TCycleTable manValues = window ? Prognose.Man.ValuesOver(*window) : TCycleTable();
    const TCycleTable womanValues = window ? Prognose.Woman.ValuesOver(*window) : TCycleTable();
    Prognose.UpdateAll(manValues, womanValues);

    // The five grids are alike: the first is drawn, the others are given its pixels. Without a
    // window nothing is drawn, and each chart keeps its picture.
    for (TChartImage* chart : charts_) {
        const QImage& grid = charts_[0]->Image();
        QImage& image = chart->Image();
        if (window && chart != charts_[0] && image.size() == grid.size() &&
            image.format() == grid.format() && image.bytesPerLine() == grid.bytesPerLine()) {
            std::memcpy(image.bits(), grid.constBits(),
                        static_cast<std::size_t>(grid.sizeInBytes()));
        } else {
            TImageCanvas canvas(image);
            DrawChartGrid(canvas);
        }
        chart->update();
    }

    const QDate prognose = dtpPrognoseDate->date();
    const QDate next = prognose.addMonths(1);
    const std::array<std::string, 2> months{MonthNames[prognose.month()], MonthNames[next.month()]};
    gbGraphics->setTitle(Text(FormatText(ChartCaptionFormat, months)));

    man_.box->show();
    woman_.box->show();
    const int mode = DisplaySettings.DisplayMode();
    if (mode == 0 || mode == 2) {
        if (mode == 2)
            woman_.box->hide();
        FillPanel(man_, Prognose.Man);
        DrawCurves(Prognose.Man, window, manValues);
    }
    if (mode == 0 || mode == 1) {
        if (mode == 1)
            man_.box->hide();
        FillPanel(woman_, Prognose.Woman);
        DrawCurves(Prognose.Woman, window, womanValues);
    }
}

void TMainForm::FillPanel(const PersonPanel& panel, const TDatalogging& person) {
    const auto setText = [](QLabel* label, const QString& text) {
        label->setText(text);
        label->adjustSize();
    };
    setText(panel.zodiac, Text(ZodiacNames[person.ZodiacSign]));
    panel.zodiacImage->setPixmap(ilInformers().Pixmap(person.ZodiacSign));
    const int element = ElementOf(static_cast<unsigned>(person.ZodiacSign));
    panel.elementImage->setPixmap(ilInformers().Pixmap(element > 0 ? 16 + element : -1));
    setText(panel.element, Text(ElementNames[element]));
    setText(panel.days, CountText(person.DaysLived, true));
    setText(panel.goodDay, FoundDay(person.GoodDay));
    setText(panel.badDay, FoundDay(person.BadDay));
    setText(panel.age, CountText(person.AgeYears, false));
}

void TMainForm::DrawCurves(const TDatalogging& person, const std::optional<TChartWindow>& window,
                           const TCycleTable& values) {
    if (!window)
        return;
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        TImageCanvas canvas(charts_[i]->Image());
        if (i < AllCycles.size())
            DrawCycleCurve(person, canvas, AllCycles[i], *window, values);
        else
            DrawAverageCurve(person, canvas, *window, DisplaySettings.Cycles(), values);
        charts_[i]->update();
    }
}

void TMainForm::actGetCurrentDateExecute() {
    SetPickerToNow(dtpPrognoseDate);
    actAnalysisExecute();
}

void TMainForm::actExitExecute() {
    close();
}

void TMainForm::actSettingsExecute() {
    if (!settingsForm_)
        return;
    settingsForm_->show();
    settingsForm_->raise();
    settingsForm_->activateWindow();
}

void TMainForm::actAboutExecute() {
    QMessageBox box(this);
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(Tr({"About", "Caption"}));
    box.setIconPixmap(ProgramIcon().pixmap(32, 32));
    box.setText(QStringList{TrFormat({"About", "Line1"}, {QString::fromUtf8(ProgramVersion)}),
                            Tr({"About", "Line2"}), Tr({"About", "Line3"}), Tr({"About", "Line4"}),
                            Tr({"About", "Line5"}), Tr({"About", "Line6"})}
                    .join(QLatin1Char('\n')));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void TMainForm::actSaveAsExecute() {
    SaveChartAreaAs(this, gbGraphics);
}

void TMainForm::actPrintExecute() {
    PrintChartArea(this, gbGraphics, PrintModule());
}

void TMainForm::actExportCalendarExecute() {
    RunCalendarExport(this, coupleName_);
}

void TMainForm::ShowDetailReport(bool man) {
    QTextDocument report;
    const TDatalogging& person = man ? Prognose.Man : Prognose.Woman;
    WriteDetailReport(report, person, man ? Prognose.Woman : Prognose.Man, man, coupleName_);
    ShowInfoViewer(this, Text(Titled(DetailReportCaption(man).toStdString(), coupleName_)), report);
}

void TMainForm::actManInfoExecute() {
    ShowDetailReport(true);
}

void TMainForm::actWomanInfoExecute() {
    ShowDetailReport(false);
}

void TMainForm::actHelpExecute() {
    ShowHelpDocument(this, Tr({"InfoViewer", "Help.Caption"}), QStringLiteral("HELP"));
}

void TMainForm::actGuideExecute() {
    ShowHelpDocument(this, Tr({"InfoViewer", "Guide.Caption"}), QStringLiteral("GUIDE"));
}

void TMainForm::actChooseCoupleExecute() {
    const QString path = SettingsFilePath();
    const TCoupleStore store{[path] { return ReadStoredCouples(path); },
                             [this, path](const std::string& from, const std::string& to) {
                                 const auto changed = ChangeStoredCouples(
                                     path, [&](TProfileFile& file, const TCoupleReading& reading) {
                                         return RenameCouple(file, reading, from, to);
                                     });
                                 if (changed == TCoupleChange::Done && coupleName_ == from)
                                     ShowCouple(to);
                                 if (lastChosenCouple_ == from)
                                     lastChosenCouple_ = to;
                                 return changed == TCoupleChange::Done;
                             },
                             [this, path](const std::string& name) {
                                 const auto changed = ChangeStoredCouples(
                                     path, [&](TProfileFile& file, const TCoupleReading& reading) {
                                         return DeleteCouple(file, reading, name);
                                     });
                                 // A couple that is gone, by this window or another, is shown no
                                 // more.
                                 if (changed && coupleName_ == name)
                                     ShowCouple({});
                                 return changed == TCoupleChange::Done;
                             }};
    const auto couple = ChooseCouple(this, store, lastChosenCouple_);
    if (!couple)
        return;
    // Both dates at once, and one refresh, as after a user's change of a picker.
    for (const auto& [picker, date] :
         {std::pair{man_.date, couple->Man}, std::pair{woman_.date, couple->Woman}}) {
        const QSignalBlocker blocker(picker);
        picker->setDate(ToQDate(date));
    }
    lastChosenCouple_ = couple->Name;
    ShowCouple(couple->Name);
    actAnalysis->trigger();
}

void TMainForm::actSaveCoupleExecute() {
    const QString path = SettingsFilePath();
    const std::vector<TStoredCouple> stored = ReadStoredCouples(path);
    const auto name = AskCoupleName(
        this, Tr({"Couples", "Save.Caption"}), Text(lastChosenCouple_),
        [&stored](const std::string& wanted) {
            return std::any_of(stored.begin(), stored.end(),
                               [&](const TStoredCouple& c) { return c.Name == wanted; });
        });
    if (!name)
        return;
    const TStoredCouple couple{*name, ToDateTime(man_.date->date()),
                               ToDateTime(woman_.date->date())};
    const auto changed =
        ChangeStoredCouples(path, [&](TProfileFile& file, const TCoupleReading& reading) {
            return SaveCouple(file, reading, couple);
        });
    if (changed == TCoupleChange::Full)
        ShowErrorBox(TrFormat({"Couples", "Full"}, {QString::number(MaxCouples)}));
    if (changed != TCoupleChange::Done)
        return;
    lastChosenCouple_ = *name;
    ShowCouple(*name);
}

void TMainForm::imPhysicalMouseDown(TChartImage* sender, Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton)
        return;
    QPainter painter(&sender->Image());
    painter.setBrush(Qt::white);
    painter.setPen(QPen(QColor(ToQRgb(clNavy)), 1, Qt::SolidLine));
    painter.drawEllipse(QRect(x - 3, y - 3, 5, 5));
    painter.setPen(QPen(QColor(ToQRgb(clMaroon)), 1, Qt::SolidLine));
    painter.drawEllipse(QRect(x - 2, y - 2, 3, 3));
    painter.end();
    sender->update();
    const auto chart = std::find(charts_.begin(), charts_.end(), sender) - charts_.begin();
    ShowChartReadout(sender, static_cast<int>(chart), QPoint(x, y), coupleName_);
}
