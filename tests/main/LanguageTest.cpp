// The language beyond the main window's components: Qt's own texts, the locale, the translated
// windows, counts and dates.

#include "ProgramFixture.h"
#include "main/DetailReport.h"
#include "platform/LanguageFile.h"
#include "platform/Translation.h"
#include "viewer/FindDialog.h"
#include "viewer/InfoViewer.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextEdit>
#include <QToolButton>

#include <array>
#include <ostream>

#include <sys/stat.h>

static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

class LanguageTest : public TProgramFixture {};

// Qt's "Cancel" as its translations give it.
QString QtCancel() {
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

} // namespace

TEST_F(LanguageTest, QtTextsAndTheLocaleFollowTheLanguage) {
    struct Row {
        const char* file;   // the language file's name without ".lng.ini"
        const char* locale; // its "Locale" entry; nullptr: none
        const char* cancel; // Qt's "Cancel" once it is chosen
        const char* name;   // the locale's name
        bool own;           // whether dates and numbers follow it
    };
    const Row rows[] = {
        {"Deutsch", "de", "Abbrechen", "de_DE", true},
        {"English", "en_GB", "Cancel", "en_GB", true},
        {"Old", nullptr, "Отмена", "ru_RU", false},
        {"Dashed", " de-AT ", "Abbrechen", "de_AT", true},
        {"Nonsense", "xx_nowhere", "Отмена", "ru_RU", false},
        {"Russian", "ru", "Отмена", "ru_RU", true},
    };
    for (const Row& row : rows) {
        QByteArray text = "[Main]\nMainForm.Caption=Orvanta %s\n";
        if (row.locale)
            text += QByteArray("Locale=") + row.locale + "\n";
        WriteLanguage(QString::fromLatin1(row.file) + ".lng.ini", text);
    }
    // The caption fails before anything of the language is applied.
    WriteLanguage("Broken.lng.ini", "[Main]\nLocale=de\nMainForm.Caption=%d\n");
    Start();
    EXPECT_EQ(QtCancel(), "Отмена");
    EXPECT_EQ(TextLocale().name(), "ru_RU");
    EXPECT_FALSE(HasOwnLocale());

    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        Choose(QString::fromLatin1(row.file));
        EXPECT_EQ(QtCancel(), QString::fromUtf8(row.cancel));
        EXPECT_EQ(TextLocale().name(), row.name);
        EXPECT_EQ(QLocale().name(), row.name);
        EXPECT_EQ(HasOwnLocale(), row.own);

        Choose("Broken");
        EXPECT_EQ(QtCancel(), QString::fromUtf8(row.cancel));
        EXPECT_EQ(TextLocale().name(), row.name);
    }
    Choose("Русский");
    EXPECT_EQ(QtCancel(), "Отмена");
    EXPECT_FALSE(HasOwnLocale());
    EXPECT_EQ(errors.size(), std::size(rows));
}

TEST_F(LanguageTest, WindowsTakeTheFilesTextsAndTheBuiltInOnesForWhatItLacks) {
    WriteLanguage("Partial.lng.ini", "[Main]\n"
                                     "MainForm.Caption=Orvanta %s\n"
                                     "[SettingsForm]\n"
                                     "Caption=Settings\n"
                                     "btDefault=Defaults\n"
                                     "gbGraph=On the chart\n"
                                     "rgGraphics.Item1=Woman only\n"
                                     "tbAlphaBlend.Hint=Transparent: %s%%\n"
                                     "spHelp.Hint=Help me\n"
                                     "[FindDialog]\n"
                                     "rbUp=Up\n"
                                     "[InfoViewer]\n"
                                     "actFind=Find\n"
                                     "[Report]\n"
                                     "Caption.Man=About the man\n"
                                     // Two placeholders where one fits: the built-in text.
                                     "[Messages]\n"
                                     "CannotWrite=Cannot write %s to %s\n"
                                     "BadFormat=Format '%s' is wrong\n"
                                     "Reason.NotADirectory=Not a folder\n");
    WriteLanguage("Bare.lng.ini", "[Main]\nMainForm.Caption=Orvanta %s\n");
    WriteLanguage("Bad.lng.ini", "[Main]\nMainForm.Caption=%d\n");
    Start();
    auto* settings = form->findChild<TSettingsForm*>();
    ASSERT_NE(settings, nullptr);
    Child<QSlider>(settings, "tbAlphaBlend")->setValue(145);

    // The texts of the settings window, the find dialog, the help viewer, the detail report and
    // the system's reasons; the file lacks "btClose".
    const auto shown = [&] {
        const TFindDialog find;
        const TInfoViewerForm viewer;
        return QStringList{settings->windowTitle(),
                           Child<QPushButton>(settings, "btDefault")->text(),
                           Child<QPushButton>(settings, "btClose")->text(),
                           Child<QGroupBox>(settings, "gbGraph")->title(),
                           Child<TRadioGroup>(settings, "rgGraphics")->Item(1)->text(),
                           Child<QSlider>(settings, "tbAlphaBlend")->toolTip(),
                           Child<QToolButton>(settings, "spHelp")->statusTip(),
                           Child<QRadioButton>(&find, "rbUp")->text(),
                           Child<QAction>(&viewer, "actFind")->toolTip(),
                           DetailReportCaption(true),
                           SystemReason("Not a directory"),
                           SystemReason("Quite another reason")};
    };
    const QStringList partial{"Settings",       "Defaults",     "Закрыть",
                              " On the chart ", "Woman only",   "Transparent: 44%",
                              "Help me",        "Up",           "Find",
                              "About the man",  "Not a folder", "Quite another reason"};
    const QStringList builtIn{"Настройки...",   "По умолчанию",
                              "Закрыть",        " На графике ",
                              "Только женский", "Прозрачность 44%",
                              "Помогите",       "Вверх",
                              "Найти",          "Подробная информация о мужчине",
                              "Это не каталог", "Quite another reason"};
    EXPECT_EQ(shown(), builtIn);
    Choose("Partial");
    EXPECT_EQ(shown(), partial);
    Choose("Bare");
    EXPECT_EQ(shown(), builtIn);
    Choose("Partial");
    Choose("Русский");
    EXPECT_EQ(shown(), builtIn);

    // Messages: a translation that fits, and one that does not.
    Choose("Partial");
    Choose("Bad");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Format '%d' is wrong.");
    ASSERT_TRUE(QDir(folder).mkdir(QFileInfo(settingsPath).fileName()));
    EXPECT_FALSE(form->close());
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[1], "Не могу записать в " + settingsPath + ".");
    QDir(settingsPath).removeRecursively();
}

TEST_F(LanguageTest, CountsAndDatesInTheLanguagesForms) {
    WriteLanguage("English.lng.ini", "[Main]\nLocale=en_GB\n[Monthes]\n12=December\n"
                                     "[Words]\nYear.one=year\nYear.other=years\n"
                                     "Day.one=day\nDay.other=days\n");
    WriteLanguage("Deutsch.lng.ini", "[Main]\nLocale=de\n"
                                     "[Words]\nYear.one=Jahr\nYear.other=Jahre\n"
                                     "Day.one=Tag\nDay.other=Tage\n");
    WriteLanguage("Polski.lng.ini", "[Main]\nLocale=pl\n"
                                    "[Words]\nDay.one=dzień\nDay.few=dni\nDay.many=dni\n"
                                    "Year.one=rok\nYear.few=lata\nYear.many=lat\n");
    // Only the other form: it stands for every count.
    WriteLanguage("Other.lng.ini", "[Main]\nLocale=en\n[Words]\nDay.other=d\nYear.other=y\n");
    // No locale: the Russian forms, with the file's month names, as before there was any.
    WriteLanguage("Old.lng.ini", "[Monthes]\n12=December\n");
    // A locale but no words: the built-in words.
    WriteLanguage("Wordless.lng.ini", "[Main]\nLocale=de\n");
    Start();
    const TDateTime day = Date(2026, 12, 7);

    // Each row: 7 December 2026, the same in the date pickers, then 1 and 21 years, 0, 2, 22,
    // 112, 16055 and -1 days, and -12.5. Without a locale or words, the Russian forms.
    const QStringList russian{"1 год",    "21 год",     "0 дней",  "2 дня", "22 дня",
                              "112 дней", "16055 дней", "-1 день", "-12,5"};
    const std::pair<const char*, QStringList> rows[] = {
        {"Русский", QStringList{"7 декабря 2026 г.", "7 декабря 2026 г."} + russian},
        {"English",
         {"7 December 2026", "7 December 2026", "1 year", "21 years", "0 days", "2 days", "22 days",
          "112 days", "16,055 days", "-1 day", "-12.5"}},
        {"Deutsch",
         {"7. Dezember 2026", "7. Dezember 2026", "1 Jahr", "21 Jahre", "0 Tage", "2 Tage",
          "22 Tage", "112 Tage", "16.055 Tage", "-1 Tag", "-12,5"}},
        {"Polski",
         {"7 grudnia 2026", "7 grudnia 2026", "1 rok", "21 lat", "0 dni", "2 dni", "22 dni",
          "112 dni", "16\u00A0055 dni", "-1 dzień", "-12,5"}},
        {"Other",
         {"December 7, 2026", "December 7, 2026", "1 y", "21 y", "0 d", "2 d", "22 d", "112 d",
          "16,055 d", "-1 d", "-12.5"}},
        // The pickers, too, as before.
        {"Old", QStringList{"7 December 2026 г.", "7 декабря 2026 г."} + russian},
        {"Wordless", QStringList{"7. Dezember 2026", "7. Dezember 2026"} + russian},
    };
    auto* picker = Find<QDateEdit>("dtpPrognoseDate");
    for (const auto& [language, texts] : rows) {
        SCOPED_TRACE(language);
        Choose(QString::fromUtf8(language));
        picker->setDate(QDate(2026, 12, 7));
        EXPECT_EQ((QStringList{LongDate(day), picker->text(), CountText(1, false),
                               CountText(21, false), CountText(0, true), CountText(2, true),
                               CountText(22, true), CountText(112, true), CountText(16055, true),
                               CountText(-1, true), DecimalText(-125)}),
                  texts);

        // The panels show the same forms after a refresh.
        Find<QDateEdit>("dtpManDateDay")->setDate(QDate(2005, 11, 16));
        EXPECT_EQ(Find<QLabel>("lbMAge")->text(), texts[3]);
        EXPECT_EQ(Find<QLabel>("lbMMaxDay")->text(), FoundDay(Prognose.Man.GoodDay));
        // A date typed in the language's form is taken.
        picker->setDate(QDate(2027, 3, 9));
        picker->findChild<QLineEdit*>()->setText(texts[1]);
        picker->interpretText();
        EXPECT_EQ(picker->date(), QDate(2026, 12, 7));
    }
}

// The window starts in the language --language names, over the settings file's; "system" in the
// system's where the file names none. CommandLineTest has the whole table of that rule.
TEST_F(LanguageTest, StartsInTheLanguageTheCommandLineAsksFor) {
    WriteLanguage(QStringLiteral("English.lng.ini"),
                  "[Main]\nLocale=en_GB\nMainForm.Caption=Orvanta %s\n");
    const auto system = SystemUiLanguages;
    SystemUiLanguages = [] { return QStringList{QStringLiteral("en-US")}; };
    const struct {
        const char* stored;
        const char* asked;
        bool english;
    } rows[] = {{"Language=English\n", "Русский", false}, {"", "system", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.asked);
        Write(settingsPath, QByteArray("[Settings]\n") + row.stored);
        Start(QString::fromUtf8(row.asked));
        EXPECT_EQ(form->windowTitle().startsWith(QLatin1String("Orvanta")), row.english);
        form.reset();
    }
    SystemUiLanguages = system;
}

TEST_F(LanguageTest, HelpInTheLanguageWhereItHasOne) {
    const auto rtf = [](const char* text) {
        return QByteArray("{\\rtf1\\ansi\\ansicpg1252 ") + text + "\\par}";
    };
    for (const char* name : {"Deutsch", "English", "Bare", "Fifo", "Huge", "Folder", "Empty"})
        WriteLanguage(QString::fromLatin1(name) + ".lng.ini",
                      QByteArray("[InfoViewer]\nHelp.Caption=") + name + "\nGuide.Caption=" + name +
                          " guide\n");
    WriteLanguage("deutsch.HELP.RTF", rtf("Hilfe auf Deutsch"));
    // 4 MiB is the largest help taken, its padding skipped unread.
    const QByteArray english = rtf("Help in English") + "{\\*\\padding ";
    WriteLanguage("English.help.rtf", english + QByteArray(4194303 - english.size(), 'x') + "}");
    WriteLanguage("Empty.help.rtf", "");
    const QString language = folder + QStringLiteral("Language/");
    ASSERT_EQ(mkfifo(QFile::encodeName(language + "Fifo.help.rtf").constData(), 0600), 0);
    QFile huge(language + "Huge.help.rtf");
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(4194305));
    huge.close();
    ASSERT_TRUE(QDir(language).mkdir("Folder.help.rtf"));
    Start();

    // What F1 and Shift+F1 show: the viewer's caption and the start of its last paragraph.
    const auto help = [this](const char* command) {
        QString shown;
        OnModal(form.get(), [&](QWidget* modal) {
            if (auto* viewer = qobject_cast<TInfoViewerForm*>(modal))
                shown = viewer->windowTitle() + ": " +
                        Child<QTextEdit>(viewer, "reInfo")
                            ->toPlainText()
                            .trimmed()
                            .section(QLatin1Char('\n'), -1)
                            .left(20);
            modal->close();
        });
        Find<QAction>(command)->trigger();
        return shown;
    };
    // The built-in help ends with the physical rhythm, the guide with the viewer's keys.
    const QString builtIn = QStringLiteral("Физический ритм (око");
    const QString guide = QStringLiteral("В этом окне и в окне");
    const std::array<QString, 3> rows[] = {
        {"Русский", "Справка: " + builtIn, "Руководство пользователя: " + guide},
        {"Deutsch", "Deutsch: Hilfe auf Deutsch", "Deutsch guide: Hilfe auf Deutsch"},
        {"English", "English: Help in English", "English guide: Help in English"},
        // No help of its own, or none that can be read: the built-in help and guide.
        {"Bare", "Bare: " + builtIn, "Bare guide: " + guide},
        {"Fifo", "Fifo: " + builtIn, "Fifo guide: " + guide},
        {"Huge", "Huge: " + builtIn, "Huge guide: " + guide},
        {"Folder", "Folder: " + builtIn, "Folder guide: " + guide},
        {"Empty", "Empty: " + builtIn, "Empty guide: " + guide},
        {"Русский", "Справка: " + builtIn, "Руководство пользователя: " + guide},
    };
    for (const auto& [name, helpShown, guideShown] : rows) {
        Choose(name);
        EXPECT_EQ(help("actHelp"), helpShown) << name.toStdString();
        EXPECT_EQ(help("actGuide"), guideShown) << name.toStdString();
    }
    EXPECT_TRUE(errors.isEmpty());
}
