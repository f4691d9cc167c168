// The main window's language: the built-in vocabulary, language files and the "Language" menu.
#include "main/MainUnit.h"

#include "OrvantaVersion.h"
#include "base/TextFormat.h"
#include "base/Vocabulary.h"
#include "model/Shared.h"
#include "platform/LanguageFile.h"
#include "platform/SettingsPath.h"
#include "platform/Translation.h"
#include "widgets/Accessibility.h"
#include "widgets/ErrorBox.h"

#include <QAction>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>

#include <array>
#include <span>
#include <vector>

#include <algorithm>

namespace {

// The components a language file can address, by kind, in the order they are applied.
constexpr std::array ActionNames{"actAnalysis",
                                 "actGetCurrentDate",
                                 "actExit",
                                 "actShowOnlyManGraphics",
                                 "actShowOnlyWomanGraphics",
                                 "actSettings",
                                 "actAbout",
                                 "actSaveAs",
                                 "actPrint",
                                 "actExportCalendar",
                                 "actManInfo",
                                 "actWomanInfo",
                                 "actHelp",
                                 "actGuide",
                                 "actChooseCouple",
                                 "actSaveCouple"};
constexpr std::array MenuItemNames{
    "miFile",        "actSettings1",  "N1",       "miPrint",    "miExportCalendar", "miLanguage",
    "miSep_File",    "miClose",       "miHelp",   "N2",         "miSep_Help",       "N5",
    "mipmSettings",  "mipmSeparator", "mipmHelp", "mipmAbout",  "miChooseCouple",   "miSaveCouple",
    "miSep_Couples", "miView",        "miToday",  "miSep_View", "miManInfo",        "miWomanInfo",
    "miGuide"};
constexpr std::array GroupBoxNames{"gbGraphics", "gbPhysical",    "gbEmotional",
                                   "gbSavvy",    "gbWarmhearted", "gbAllOrvanta",
                                   "gbMan",      "gbWoman",       "gbPrognoseDate"};
constexpr std::array LabelNames{"lbMZodiac",   "lbMQuanDays",    "lbMMinDay", "lbMMaxDay",
                                "lbMElement",  "lbManDateDay",   "lbMAge",    "lbWZodiac",
                                "lbWQuanDays", "lbWomanDateDay", "lbWMinDay", "lbWMaxDay",
                                "lbWElement",  "lbWAge"};
constexpr std::array ImageNames{
    "imPhysical",  "imEmotional", "imSavvy",   "imWarmhearted", "imAllOrvanta", "imMMaxDay",
    "imMZodiac",   "imMQuanDays", "imMMinDay", "imMElement",    "imMAge",       "imWZodiac",
    "imWQuanDays", "imWMinDay",   "imWMaxDay", "imWElement",    "imWAge"};

QString Read(const TProfileFile& file, const char* section, const std::string& key,
             const QString& fallback) {
    const auto value = file.Read(section, key);
    return value ? QString::fromStdString(*value) : fallback;
}

// The caption and hint of a command or menu item; the hint is the status tip, since an action
// without a tooltip of its own reports its caption as one.
void Translate(QAction* action, const TProfileFile& file, const char* section) {
    const std::string name = action->objectName().toStdString();
    action->setText(Read(file, section, name, action->text()));
    const QString hint = Read(file, section, name + ".Hint", action->statusTip());
    action->setToolTip(hint);
    action->setStatusTip(hint);
}

// The long date's format, or where its longest date would not fit the picker beside its arrows
// (Spanish "29 de septiembre de 1983") the same with the months' short names.
QString FittingFormat(const QDateEdit* picker) {
    QString format = DatePickerFormat();
    const QLocale locale = TextLocale();
    int widest = 0;
    for (int month = 1; month <= 12; ++month)
        widest = std::max(widest, picker->fontMetrics().horizontalAdvance(
                                      locale.toString(QDate(2000, month, 28), format)));
    constexpr int Arrows = 24;
    if (widest + Arrows > picker->width())
        format.replace(QLatin1String("MMMM"), QLatin1String("MMM"));
    return format;
}

// The date pickers show and take dates in the language's form; a new format changes no date.
// Having no hint, they tell assistive technologies what they set.
void FollowLanguage(QWidget* window) {
    for (QDateEdit* picker : window->findChildren<QDateEdit*>()) {
        const QSignalBlocker blocker(picker);
        picker->setLocale(TextLocale());
        picker->setDisplayFormat(FittingFormat(picker));
        picker->setAccessibleDescription(picker->objectName() == QLatin1String("dtpPrognoseDate")
                                             ? Tr({"Accessible", "PrognoseDate"})
                                             : Tr({"Accessible", "BirthDate"}));
    }
}

// The help document beside a language file: its name with ".help.rtf" for ".lng.ini", matched
// without regard to letter case, as the language files are. Empty when there is none.
QString HelpDocumentBeside(const QString& languageFile) {
    if (languageFile.isEmpty())
        return {};
    const QFileInfo language(languageFile);
    return FindFileIgnoringCase(language.path(),
                                language.fileName().chopped(8) + QStringLiteral(".help.rtf"));
}

// A component a language file addresses, by the kind its section gives it.
struct TComponent {
    enum Kind { Command, GroupBox, Label, Image } kind;
    QObject* object;
};

std::vector<TComponent> Components(QWidget* window) {
    std::vector<TComponent> found;
    const auto add = [&found](TComponent::Kind kind, QObject* object) {
        if (object)
            found.push_back({kind, object});
    };
    for (const char* name : ActionNames)
        add(TComponent::Command, window->findChild<QAction*>(QLatin1String(name)));
    for (const char* name : MenuItemNames)
        add(TComponent::Command, window->findChild<QAction*>(QLatin1String(name)));
    for (const char* name : GroupBoxNames)
        add(TComponent::GroupBox, window->findChild<QGroupBox*>(QLatin1String(name)));
    for (const char* name : LabelNames)
        add(TComponent::Label, window->findChild<QLabel*>(QLatin1String(name)));
    for (const char* name : ImageNames)
        add(TComponent::Image, window->findChild<QWidget*>(QLatin1String(name)));
    return found;
}

// The texts a component had when the window was built, kept on the component itself.
const char* const BuiltInText = "orvantaBuiltInText";
const char* const BuiltInHint = "orvantaBuiltInHint";

} // namespace

void TMainForm::KeepBuiltInTexts() {
    for (const auto& [kind, object] : Components(this)) {
        QString text, hint;
        if (auto* command = qobject_cast<QAction*>(object)) {
            text = command->text();
            hint = command->statusTip();
        } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
            text = box->title();
        } else if (kind == TComponent::Label) {
            text = static_cast<QLabel*>(object)->text();
        } else {
            hint = static_cast<QWidget*>(object)->statusTip();
        }
        object->setProperty(BuiltInText, text);
        object->setProperty(BuiltInHint, hint);
    }
}

namespace {

// How a section's values reach the components it names; each returns the component it wrote
// to, if any.
using TApply = QObject* (*)(QWidget* window, const TProfileFile& file, const char* section,
                            const char* name);

QObject* ApplyToCommand(QWidget* window, const TProfileFile& file, const char* section,
                        const char* name) {
    auto* command = window->findChild<QAction*>(QLatin1String(name));
    if (command)
        Translate(command, file, section);
    return command;
}

QObject* ApplyToGroupBox(QWidget* window, const TProfileFile& file, const char* section,
                         const char* name) {
    auto* box = window->findChild<QGroupBox*>(QLatin1String(name));
    const auto value = file.Read(section, name);
    // A box the file does not name keeps its caption as it is.
    if (!box || !value)
        return nullptr;
    box->setTitle(QLatin1Char(' ') + QString::fromStdString(*value) + QLatin1Char(' '));
    return box;
}

QObject* ApplyToLabel(QWidget* window, const TProfileFile& file, const char* section,
                      const char* name) {
    auto* label = window->findChild<QLabel*>(QLatin1String(name));
    if (label) {
        label->setText(Read(file, section, name, label->text()));
        label->adjustSize();
    }
    return label;
}

QObject* ApplyToImage(QWidget* window, const TProfileFile& file, const char* section,
                      const char* name) {
    auto* image = window->findChild<QWidget*>(QLatin1String(name));
    if (image) {
        const QString hint = Read(file, section, name, image->statusTip());
        image->setToolTip(hint);
        image->setStatusTip(hint);
    }
    return image;
}

struct TSection {
    const char* name;
    std::span<const char* const> components;
    TApply apply;
};

// The sections of a language file in the order they are applied.
constexpr std::array Sections{TSection{"Action", ActionNames, ApplyToCommand},
                              TSection{"MenuItem", MenuItemNames, ApplyToCommand},
                              TSection{"GroupBox", GroupBoxNames, ApplyToGroupBox},
                              TSection{"Label", LabelNames, ApplyToLabel},
                              TSection{"Image", ImageNames, ApplyToImage}};

} // namespace

bool TMainForm::ApplyLanguage(const TProfileFile& file) {
    ApplicationTitle = Read(file, "Main", "Application.Title", ApplicationTitle);
    const std::string caption = file.Read("Main", "MainForm.Caption", caption_.toStdString());
    const std::string version(ProgramVersion);
    SetCaption(QString::fromStdString(FormatText(caption, std::span(&version, 1))));
    // First the language's locale and Qt's translations: the menus name the keys in its words
    // when the new texts make them lay out again.
    InstallLanguageEverywhere(&file);

    // Whether the file gave the chart's box its caption, which then becomes the caption's format.
    bool chartCaptionSet = false;
    for (const auto& [section, names, apply] : Sections)
        if (file.HasSection(section))
            for (const char* name : names)
                if (apply(this, file, section, name) == gbGraphics)
                    chartCaptionSet = true;
    FollowLanguage(this);
    return chartCaptionSet;
}

void TMainForm::RestoreBuiltInTexts() {
    for (const auto& [kind, object] : Components(this)) {
        const QString text = object->property(BuiltInText).toString();
        const QString hint = object->property(BuiltInHint).toString();
        if (auto* command = qobject_cast<QAction*>(object)) {
            command->setText(text);
            command->setToolTip(hint);
            command->setStatusTip(hint);
        } else if (auto* box = qobject_cast<QGroupBox*>(object)) {
            box->setTitle(text);
        } else if (kind == TComponent::Label) {
            // The value labels show their own name until a refresh fills them; keep what the
            // last refresh wrote.
            auto* label = static_cast<QLabel*>(object);
            if (text != label->objectName()) {
                label->setText(text);
                label->adjustSize();
            }
        } else {
            static_cast<QWidget*>(object)->setToolTip(hint);
            static_cast<QWidget*>(object)->setStatusTip(hint);
        }
    }
    InstallLanguageEverywhere(nullptr);
    FollowLanguage(this);
}

void TMainForm::LoadLanguage(const QString& name) {
    const TLanguageRead language = ReadLanguageNamed(name);
    if (language.Status == TFileRead::TooLarge)
        ShowErrorBox(TrFormat(
            {"Messages", "LanguageTooLarge"},
            {FullFileName(language.Path), QString::number(MaxProfileFileSize / (1024 * 1024))}));
    const auto& file = language.File;
    bool chartCaptionSet = true;
    if (!file)
        ApplyBuiltInVocabulary();
    else
        chartCaptionSet = ApplyLanguage(*file);
    // A load that leaves the chart caption alone keeps the format: the caption on screen has its
    // month names filled in. Only the first load takes the caption the window was built with.
    if (chartCaptionSet || ChartCaptionFormat.empty())
        ChartCaptionFormat = gbGraphics->title().toStdString();
    SetHelpDocument(file ? HelpDocumentBeside(language.Path) : QString());
    actAnalysisExecute();
}

void TMainForm::BuildLanguageMenu() {
    const QStringList names = LanguageNames(LanguageFolder());
    if (names.isEmpty())
        return;
    miLanguage->menuAction()->setVisible(true);
    for (const QString& name : QStringList{QStringLiteral("Русский")} + names) {
        QAction* item = miLanguage->addAction(name);
        connect(item, &QAction::triggered, this,
                [this, item] { RunGuarded([&] { LanguageItemClick(item); }); });
    }
}

void TMainForm::LanguageItemClick(QObject* sender) {
    if (auto* item = qobject_cast<QAction*>(sender)) {
        // At start-up the first show describes the window once everything is in place.
        const auto describe = qScopeGuard([this] { DescribeForAssistiveTechnologies(this); });
        LoadLanguage(item->text().remove(QLatin1Char('&')));
    }
}
