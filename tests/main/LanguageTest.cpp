// The language beyond the main window's components: Qt's own texts, the locale, the translated
// windows, counts and dates.

#include "ProgramFixture.h"
#include "main/Translation.h"

#include <QCoreApplication>

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
