#include "main/SettingsFile.h"
#include "ProgramFixture.h"
#include "main/ErrorBox.h"
#include "main/MainUnit.h"
#include "main/SettingsCodec.h"
#include "model/Shared.h"
#include "settings/DisplaySettings.h"
#include "settings/Settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray DefaultFile = "[Settings]\n"
                               "lbManDateDay=23.12.1982\n"
                               "lbWomanDateDay=29.09.1983\n"
                               "cbOrdinate_Y=1\n"
                               "cbAbscissa_X=1\n"
                               "cbAxis=1\n"
                               "cbMonthNumbers=1\n"
                               "chkPhysical=1\n"
                               "chkEmotional=1\n"
                               "chkSavvy=1\n"
                               "chkWarmhearted=1\n"
                               "gbAlphaBlend=240\n"
                               "rgGraphics=0\n"
                               "pnColorWoman=255\n"
                               "pnColorMan=16711680\n";

class SettingsFileTest : public TProgramFixture {
protected:
    bool Close() { return form->close(); }
};

} // namespace

TEST_F(SettingsFileTest, FirstRunShowsDefaultsAndCloseWritesTheFourteenEntries) {
    Start();
    EXPECT_EQ(Find<QDateEdit>("dtpManDateDay")->date(), QDate(1982, 12, 23));
    EXPECT_FALSE(Find<QMenu>("miLanguage")->menuAction()->isVisible());
    EXPECT_TRUE(Close());
    EXPECT_EQ(Stored(), DefaultFile);
    // The next close replaces the values in place.
    Start();
    Find<QDateEdit>("dtpWomanDateDay")->setDate(QDate(1990, 2, 3));
    EXPECT_TRUE(Close());
    EXPECT_EQ(Stored(), QByteArray(DefaultFile).replace("29.09.1983", "03.02.1990"));
}

TEST_F(SettingsFileTest, ValuesAreReadClampedAndWrittenBack) {
    Write(settingsPath, "; kept\r\n"
                        "[Settings]\r\n"
                        "lbManDateDay=01.02.1970\r\n"
                        "pnColorMan=0xFF\r\n"
                        "pnColorWoman=blue\r\n"
                        "gbAlphaBlend=10\r\n"
                        "rgGraphics=7\r\n"
                        "chkSavvy=2\r\n"
                        "chkPhysical=yes\r\n"
                        "chkEmotional=0\r\n"
                        "Language=Nowhere\r\n"
                        "\r\n"
                        "[Mine]\r\n"
                        "x=1\r\n");
    Start();
    EXPECT_EQ(Find<QDateEdit>("dtpManDateDay")->date(), QDate(1970, 2, 1));
    EXPECT_EQ(DisplaySettings.ManColor(), 255u);
    EXPECT_EQ(Prognose.Man.Color, 255u);
    EXPECT_EQ(DisplaySettings.WomanColor(), clRed);
    EXPECT_EQ(DisplaySettings.SettingsOpacity(), 145);
    EXPECT_EQ(DisplaySettings.DisplayMode(), 2);
    EXPECT_TRUE(DisplaySettings.UseIntellectual());
    EXPECT_TRUE(DisplaySettings.UsePhysical());
    EXPECT_FALSE(DisplaySettings.UseEmotional());
    // A missing language file: the built-in vocabulary, and the menu is still built (empty).
    EXPECT_EQ(form->windowTitle(), "Орванта 3.3");

    DisplaySettings.SetDisplayMode(-5);
    EXPECT_TRUE(Close());
    EXPECT_EQ(Stored(), "; kept\r\n"
                        "[Settings]\r\n"
                        "lbManDateDay=01.02.1970\r\n"
                        "pnColorMan=255\r\n"
                        "pnColorWoman=255\r\n"
                        "gbAlphaBlend=145\r\n"
                        "rgGraphics=-1\r\n"
                        "chkSavvy=1\r\n"
                        "chkPhysical=1\r\n"
                        "chkEmotional=0\r\n"
                        "Language=Nowhere\r\n"
                        "lbWomanDateDay=29.09.1983\r\n"
                        "cbOrdinate_Y=1\r\n"
                        "cbAbscissa_X=1\r\n"
                        "cbAxis=1\r\n"
                        "cbMonthNumbers=1\r\n"
                        "chkWarmhearted=1\r\n"
                        "\r\n"
                        "[Mine]\r\n"
                        "x=1\r\n");
}

TEST_F(SettingsFileTest, DatesReadBackUnderAnyRegionAndRefusedDatesCountAsAbsent) {
    RegionalShortDateFormat = [] { return QStringLiteral("M/d/yy"); };
    WriteLanguage("English.lng.ini", "[Main]\nMainForm.Caption=Charts %s\n");
    Write(settingsPath, "[Settings]\n"
                        "lbManDateDay=30.12.1899\n"
                        "lbWomanDateDay=15.06.1975\n"
                        "chkSavvy=0\n"
                        "Language=english\n");
    Start();
    // The zero date is refused, and the rest of the file and the language still apply.
    EXPECT_EQ(Find<QDateEdit>("dtpManDateDay")->date(), QDate(1982, 12, 23));
    EXPECT_EQ(Find<QDateEdit>("dtpWomanDateDay")->date(), QDate(1975, 6, 15));
    EXPECT_FALSE(DisplaySettings.UseIntellectual());
    EXPECT_EQ(form->windowTitle(), "Charts 3.3");
    EXPECT_EQ(LanguageItems(), (QStringList{"Русский", "English"}));
    form.reset();

    Write(settingsPath, "[Settings]\nlbManDateDay=31.12.1600\nlbWomanDateDay=6/15/75\n");
    Start();
    EXPECT_EQ(Find<QDateEdit>("dtpManDateDay")->date(), QDate(1982, 12, 23));
    EXPECT_EQ(Find<QDateEdit>("dtpWomanDateDay")->date(), QDate(1975, 6, 15));
}

TEST_F(SettingsFileTest, AFailedWriteKeepsTheWindowOpenAndTheOldFile) {
    // A folder where the file should be: no user, root included, can write it.
    ASSERT_TRUE(QDir(folder).mkdir(QFileInfo(settingsPath).fileName()));
    Start();
    EXPECT_FALSE(Close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Не могу записать в " + settingsPath + ".");
    EXPECT_TRUE(QFileInfo(settingsPath).isDir());
    // The next close tries again.
    QDir(settingsPath).removeRecursively();
    EXPECT_TRUE(Close());
    EXPECT_EQ(Stored(), DefaultFile);
}

TEST_F(SettingsFileTest, AReadOnlyProgramFolderUsesTheConfigurationFolder) {
    FolderWritable = [](const QString&) { return false; };
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir(config).removeRecursively();
    Start();
    EXPECT_TRUE(Close());
    EXPECT_FALSE(QFileInfo::exists(settingsPath));
    EXPECT_EQ(QFileInfo(SettingsFilePath()).absolutePath(), QFileInfo(config).absoluteFilePath());
    QFile stored(SettingsFilePath());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), DefaultFile);

    // A settings file beside the program is used whenever it exists.
    Write(settingsPath, "[Settings]\nrgGraphics=1\n");
    EXPECT_EQ(SettingsFilePath(), settingsPath);

    // An installed program writes to the configuration folder even where it may write beside
    // itself (as root in /usr/bin).
    FolderWritable = [](const QString&) { return true; };
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("share/orvanta")));
    ProgramFolder = folder + QStringLiteral("bin/");
    EXPECT_EQ(QFileInfo(SettingsFilePath()).absolutePath(), QFileInfo(config).absoluteFilePath());
    QDir(config).removeRecursively();
}

TEST_F(SettingsFileTest, LanguageMenuAndLoads) {
    WriteLanguage("English.lng.ini",
                  "[Main]\nMainForm.Caption=Charts %s\nApplication.Title=Orvanta\n"
                  "[GroupBox]\ngbMan=Man\n"
                  "[Monthes]\n12=December\n");
    WriteLanguage("Deutsch.LNG.INI", "[GroupBox]\ngbGraphics=Kurven für %s und %s\n"
                                     "[Action]\nactHelp=Hilfe\nactGetCurrentDate.Hint=Heute\n"
                                     "[MenuItem]\nmiFile=&Datei\n");
    WriteLanguage("R&D.lng.ini", "[Main]\nMainForm.Caption=R&D\n");
    QDir(folder + QStringLiteral("Language")).mkdir(QStringLiteral("Folder.lng.ini"));
    WriteLanguage("notes.txt", "ignored");
    Start();
    Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2026, 12, 7));
    EXPECT_EQ(LanguageItems(), (QStringList{"Русский", "Deutsch", "English", "Folder", "R&D"}));

    // Only some texts: a group box the file does not name keeps its caption, and the chart
    // caption keeps its format with the months filled in anew.
    Choose("English");
    EXPECT_EQ(form->windowTitle(), "Charts 3.3");
    EXPECT_EQ(Find<QGroupBox>("gbMan")->title(), " Man ");
    EXPECT_EQ(Find<QGroupBox>("gbWoman")->title(), " Женщина ");
    EXPECT_EQ(MonthNames[12], "December");
    EXPECT_EQ(ZodiacNames[1], "1");
    EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), "Графики биоритмов для December и 1");
    Choose("English");
    EXPECT_EQ(Find<QGroupBox>("gbWoman")->title(), " Женщина ");
    Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2026, 11, 7));
    EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), "Графики биоритмов для 11 и December");

    Choose("Deutsch");
    EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), " Kurven für 11 und 12 ");
    EXPECT_EQ(Find<QAction>("actHelp")->text(), "Hilfe");
    EXPECT_EQ(Find<QAction>("N2")->text(), "Hilfe"); // the menu item carries the command
    EXPECT_EQ(Find<QAction>("actGetCurrentDate")->statusTip(), "Heute");
    EXPECT_EQ(Find<QWidget>("sbTodayDateDay")->toolTip(), "Heute");
    EXPECT_EQ(Find<QMenu>("miFile")->title(), "&Datei");

    // "R&D" loses its "&": no RD file, so the built-in vocabulary; so does a folder.
    Choose("R&D");
    EXPECT_EQ(form->windowTitle(), "Орванта 3.3");
    EXPECT_EQ(MonthNames[12], "декабря");
    Choose("Folder");
    EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), "Графики биоритмов для ноября и декабря");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SettingsFileTest, LanguageFileEncodingsEmptyValuesAndFormatErrors) {
    const QString russian =
        QStringLiteral("[Main]\nApplication.Title=\nMainForm.Caption=Орванта — %s\n"
                       "[GroupBox]\ngbWoman=\n[Monthes]\n1=\n[Zodiac]\n1=Овен\n");
    WriteLanguage("Utf.lng.ini", "\xEF\xBB\xBF" + russian.toUtf8());
    QStringEncoder cp1251("windows-1251");
    WriteLanguage("Cp.lng.ini", QByteArray(cp1251.encode(russian)));
    WriteLanguage("Bad.lng.ini",
                  "[Main]\nApplication.Title=Broken\nMainForm.Caption=%d\n[Zodiac]\n1=X\n");
    Write(settingsPath, "[Settings]\nLanguage=Bad\n");
    Start();
    // At start-up the failure is shown once, over the window, and the built-in texts stand in:
    // the title the file had already changed too. The menu is built, to choose another.
    EXPECT_EQ(ApplicationTitle, "Орванта");
    EXPECT_EQ(form->windowTitle(), "Орванта 3.3");
    EXPECT_EQ(ZodiacNames[1], "Овен");
    EXPECT_TRUE(Find<QMenu>("miLanguage")->menuAction()->isVisible());
    EXPECT_TRUE(errors.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(errors, QStringList{"Формат '%d' неверен или несовместим с аргументом."});
    errors.clear();
    Choose("Utf");
    EXPECT_EQ(form->windowTitle(), "Орванта — 3.3");
    form.reset();

    Write(settingsPath, "[Settings]\n");
    Start();
    for (const char* language : {"Utf", "Cp"}) {
        Choose(language);
        EXPECT_EQ(form->windowTitle(), "Орванта — 3.3") << language;
        EXPECT_EQ(ApplicationTitle, "") << language;
        EXPECT_EQ(ZodiacNames[1], "Овен") << language;
        EXPECT_EQ(MonthNames[1], "") << language;
        EXPECT_EQ(Find<QGroupBox>("gbWoman")->title(), "  ") << language;
    }
    // From the menu the failure is shown, and what was applied stays.
    Choose("Bad");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Формат '%d' неверен или несовместим с аргументом.");
    EXPECT_EQ(form->windowTitle(), "Орванта — 3.3");
    EXPECT_EQ(ZodiacNames[1], "Овен");
}

// Root may write anything, so the child drops to an unprivileged user, as a user runs the
// program: a read-only settings file is refused and kept, whatever the folder allows.
TEST(SettingsFileWrite, AReadOnlySettingsFileIsRefusedAndKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("orvanta.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old\n");
    file.close();
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadUser | QFile::WriteUser |
                                                      QFile::ExeUser | QFile::ReadOther |
                                                      QFile::WriteOther | QFile::ExeOther));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(WriteFileAtomically(path, "new\n") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old\n");
}
