// The language beyond the main window's components: Qt's own texts, the locale, the translated
// windows, counts and dates.

#include "ProgramFixture.h"
#include "main/DetailReport.h"
#include "main/Translation.h"
#include "viewer/FindDialog.h"
#include "viewer/InfoViewer.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include <ostream>

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
    settings->tbAlphaBlend->setValue(145);

    struct Row {
        std::function<QString()> shown;
        const char* partial; // with Partial.lng.ini
        const char* builtIn; // built in, and with a file that lacks the key
    };
    const Row rows[] = {
        {[&] { return settings->windowTitle(); }, "Settings", "Настройки..."},
        {[&] { return settings->btDefault->text(); }, "Defaults", "По умолчанию"},
        {[&] { return settings->btClose->text(); }, "Закрыть", "Закрыть"},
        {[&] { return settings->gbGraph->title(); }, " On the chart ", " На графике "},
        {[&] { return settings->rgGraphics->Item(1)->text(); }, "Woman only", "Только женский"},
        {[&] { return settings->rgGraphics->Item(2)->text(); }, "Только мужской", "Только мужской"},
        {[&] { return settings->tbAlphaBlend->toolTip(); }, "Transparent: 44%", "Прозрачность 44%"},
        {[&] { return settings->spHelp->statusTip(); }, "Help me", "Помогите"},
        {[&] { return TFindDialog().rbUp->text(); }, "Up", "Вверх"},
        {[&] { return TFindDialog().rbDown->text(); }, "Вниз", "Вниз"},
        {[&] { return TInfoViewerForm().actFind->toolTip(); }, "Find", "Найти"},
        {[&] { return DetailReportCaption(true); }, "About the man",
         "Подробная информация о мужчине"},
        {[&] { return SystemReason("Not a directory"); }, "Not a folder", "Это не каталог"},
        {[&] { return SystemReason("Quite another reason"); }, "Quite another reason",
         "Quite another reason"},
    };
    const auto check = [&](bool partial) {
        for (std::size_t i = 0; i < std::size(rows); ++i)
            EXPECT_EQ(rows[i].shown(),
                      QString::fromUtf8(partial ? rows[i].partial : rows[i].builtIn))
                << "row " << i;
    };
    check(false);
    Choose("Partial");
    check(true);
    Choose("Bare");
    check(false);
    Choose("Partial");
    Choose("Русский");
    check(false);

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
