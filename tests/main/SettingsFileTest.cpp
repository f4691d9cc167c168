#include "ProgramFixture.h"
#include "model/Error.h"
#include "platform/WholeFile.h"
#include "widgets/SaveFile.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHelpEvent>
#include <QStringEncoder>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

TEST_F(SettingsFileTest, DatesReadBackUnderAnyRegionAndRefusedDatesCountAsAbsent) {
    RegionalShortDateFormat = [] { return QStringLiteral("M/d/yy"); };
    WriteLanguage("English.lng.ini", "[Main]\nMainForm.Caption=Charts %s\n");
    Write(settingsPath, "[Settings]\n"
                        "lbManDateDay=30.12.1899\n"
                        "lbWomanDateDay=6/15/75\n"
                        "chkSavvy=0\n"
                        "Language=english\n");
    Start();
    // The zero date is refused, and the rest of the file and the language still apply; the own
    // form under every region, and the dates the pickers refuse, are SettingsCodec's.
    EXPECT_EQ(Find<QDateEdit>("dtpManDateDay")->date(), QDate(1982, 12, 23));
    EXPECT_EQ(Find<QDateEdit>("dtpWomanDateDay")->date(), QDate(1975, 6, 15));
    EXPECT_FALSE(DisplaySettings.UseIntellectual());
    EXPECT_EQ(form->windowTitle(), "Charts 3.3");
    EXPECT_EQ(LanguageItems(), (QStringList{"Русский", "English"}));
}

// A folder where the file should be reads as no file, and no user, root included, can write it.
TEST_F(SettingsFileTest, FirstRunShowsDefaultsAndAFailedWriteKeepsTheWindowOpen) {
    ASSERT_TRUE(QDir(folder).mkdir(QFileInfo(settingsPath).fileName()));
    Start();
    EXPECT_EQ(Find<QDateEdit>("dtpManDateDay")->date(), QDate(1982, 12, 23));
    EXPECT_FALSE(Find<QMenu>("miLanguage")->menuAction()->isVisible());
    EXPECT_FALSE(Close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(errors, QStringList{"Не могу записать в " + settingsPath + "."});
    EXPECT_TRUE(QFileInfo(settingsPath).isDir());
    // The next close tries again, and makes the file of the fourteen entries in their order.
    QDir(settingsPath).removeRecursively();
    EXPECT_TRUE(Close());
    EXPECT_EQ(Stored(), DefaultFile);
}

// Beside the program when its folder may be written or already holds the file; else, for an
// installed program, and where the file beside the program is the program itself ("cp orvanta
// orvanta.ini; ./orvanta.ini", whose close would write into it), in the configuration folder.
TEST_F(SettingsFileTest, WhereTheSettingsFileIs) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString perUser = config + QLatin1Char('/') + QFileInfo(settingsPath).fileName();
    QDir(config).removeRecursively();
    FolderWritable = [](const QString&) { return false; };
    Start();
    EXPECT_TRUE(Close());
    EXPECT_FALSE(QFileInfo::exists(settingsPath));
    EXPECT_EQ(ReadFile(perUser), DefaultFile);
    form.reset();
    Write(settingsPath, "[Settings]\nrgGraphics=1\n");
    EXPECT_EQ(SettingsFilePath(), settingsPath);

    FolderWritable = [](const QString&) { return true; };
    QFile::remove(settingsPath);
    QDir(config).removeRecursively();
    const QString program = QCoreApplication::applicationFilePath();
    ASSERT_TRUE(QFile::link(program, settingsPath)); // the program under another name
    ASSERT_EQ(SettingsFilePath(), perUser);          // before anything could write into it
    const qint64 programSize = QFileInfo(program).size();
    Start();
    EXPECT_TRUE(Close());
    EXPECT_EQ(QFileInfo(program).size(), programSize);
    EXPECT_EQ(ReadFile(perUser), DefaultFile);

    // Installed: even where root may write beside it, as in /usr/bin.
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("share/orvanta")));
    ProgramFolder = folder + QStringLiteral("bin/");
    EXPECT_EQ(SettingsFilePath(), perUser);
    QDir(config).removeRecursively();
}

TEST_F(SettingsFileTest, LanguageMenuAndLoads) {
    WriteLanguage("English.lng.ini",
                  "[Main]\nMainForm.Caption=Charts %s\nApplication.Title=Orvanta\n"
                  "[GroupBox]\ngbMan=Man\n"
                  "[Monthes]\n12=December\n");
    WriteLanguage("Deutsch.LNG.INI",
                  "[GroupBox]\ngbGraphics=Kurven für %s und %s\n[Action]\nactHelp=Hilfe\n");
    WriteLanguage("R&D.lng.ini", "[Main]\nMainForm.Caption=R&D\n");
    QDir(folder + QStringLiteral("Language")).mkdir(QStringLiteral("folder.lng.ini"));
    WriteLanguage("notes.txt", "ignored");
    Start();
    Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2026, 12, 7));
    // Sorted by name without regard to letter case.
    EXPECT_EQ(LanguageItems(), (QStringList{"Русский", "Deutsch", "English", "folder", "R&D"}));

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
    // The month numbers stand in for a file's missing names; a menu item the file does not name
    // carries its command. That every named text is applied is EveryTextTest's.
    EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), " Kurven für 11 und 12 ");
    EXPECT_EQ(Find<QAction>("N2")->text(), "Hilfe");

    // "R&D" loses its "&": no RD file, so the built-in vocabulary; so does a folder.
    Choose("R&D");
    EXPECT_EQ(form->windowTitle(), "Орванта 3.3");
    EXPECT_EQ(MonthNames[12], "декабря");
    Choose("folder");
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

namespace {

bool IsFifo(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Answers every FIFO of the list that a reader has opened, and remembers it: the reader can go
// on (so a fault fails the test instead of hanging it), and the test knows it was opened.
class TFifoWatch {
public:
    explicit TFifoWatch(QStringList fifos)
        : fifos_(std::move(fifos)), thread_([this] {
              while (!stop_) {
                  for (const QString& fifo : fifos_) {
                      if (!IsFifo(fifo))
                          continue;
                      const int end =
                          ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                      if (end >= 0) {
                          opened_ = true;
                          ::close(end);
                      }
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          }) {}
    ~TFifoWatch() {
        stop_ = true;
        thread_.join();
    }
    bool Opened() const { return opened_; }

private:
    QStringList fifos_;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> opened_ = false;
    std::thread thread_;
};

// `head`, then comment lines up to `size` bytes.
QByteArray PaddedTo(QByteArray head, qsizetype size) {
    while (head.size() < size) {
        const qsizetype line = std::min<qsizetype>(100, size - head.size());
        head += ';' + QByteArray(std::max<qsizetype>(line - 2, 0), 'x') + '\n';
        head.truncate(std::min(head.size(), size));
    }
    return head;
}

} // namespace

// A FIFO, or a link to a device, where a settings or language file should be: opening a FIFO
// blocks until someone writes, and a zero device never ends. They count as absent and are never
// opened: the settings go to the per-user file, the language is the built-in one, and the
// language menu offers none of them. Nor are they ever replaced.
TEST_F(SettingsFileTest, FifosAndDevicesAreNeverOpenedAndCountAsAbsent) {
    // Devices of the test's own, never the system's: a fault that replaced the file behind a link
    // would replace them.
    const QString zero = folder + QStringLiteral("zero");
    if (::mknod(QFile::encodeName(zero).constData(), S_IFCHR | 0666, makedev(1, 5)) != 0)
        GTEST_SKIP() << "no device nodes may be made here";
    const QString languages = folder + QStringLiteral("Language/");
    ASSERT_EQ(::mkfifo(QFile::encodeName(languages + "Fifo.lng.ini").constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(zero, languages + "Zero.lng.ini"));
    WriteLanguage("English.lng.ini", "[Main]\nMainForm.Caption=Charts %s\n");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString perUser = config + QLatin1Char('/') + QFileInfo(settingsPath).fileName();
    const TFifoWatch watch({languages + "Fifo.lng.ini", settingsPath});

    // What stands where the settings file should be; the per-user settings name a language that
    // is no file either.
    for (const QString& kind : {QStringLiteral("fifo"), zero, QStringLiteral("regular")}) {
        SCOPED_TRACE(kind.toStdString());
        const bool regular = kind == QLatin1String("regular");
        QDir(config).removeRecursively();
        QFile::remove(settingsPath);
        ASSERT_TRUE(QDir().mkpath(config));
        Write(regular ? settingsPath : perUser,
              QByteArray("[Settings]\nrgGraphics=1\nLanguage=") + (kind == zero ? "Zero" : "Fifo"));
        if (kind == QLatin1String("fifo")) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(settingsPath).constData(), 0644), 0);
        } else if (!regular) {
            ASSERT_TRUE(QFile::link(zero, settingsPath));
        }

        Start();
        EXPECT_EQ(DisplaySettings.DisplayMode(), 1);
        EXPECT_EQ(form->windowTitle(), "Орванта 3.3");
        EXPECT_EQ(LanguageItems(), (QStringList{"Русский", "English"}));
        form->LoadLanguage(QStringLiteral("Zero"));
        EXPECT_EQ(form->windowTitle(), "Орванта 3.3");
        DisplaySettings.SetDisplayMode(2);
        EXPECT_TRUE(Close());
        EXPECT_EQ(TProfileFile(ReadFile(regular ? settingsPath : perUser).toStdString())
                      .Read("Settings", "rgGraphics"),
                  "2");
        form.reset();
        ResetDisplaySettings();
    }
    // Nor does the reader itself open any of them, nor any write replace them, whoever asks.
    for (const char* name : {"Fifo.lng.ini", "Zero.lng.ini"}) {
        EXPECT_EQ(ReadProfileFile(languages + name).status, TProfileRead::Absent) << name;
        EXPECT_FALSE(SaveWholeFile(languages + name, "x", {.createFolder = true})) << name;
    }
    EXPECT_EQ(ReadProfileFile(languages).status, TProfileRead::Absent);
    EXPECT_TRUE(IsFifo(languages + "Fifo.lng.ini"));
    struct stat info {};
    EXPECT_TRUE(::lstat(QFile::encodeName(zero).constData(), &info) == 0 && S_ISCHR(info.st_mode));
    EXPECT_FALSE(watch.Opened());
    EXPECT_TRUE(errors.isEmpty()) << errors.join(' ').toStdString();
    QDir(config).removeRecursively();
}

// A link in the settings file's place is written through only when it and every link after it
// belong to this user or root: another user's second link sends the settings to the per-user
// file, and when that one is a dangling link, the close says so once and goes ahead.
TEST_F(SettingsFileTest, TheCloseWritesThroughOnlyTheUsersOwnLinksToAFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a link to another user";
    const QString target = folder + QStringLiteral("elsewhere.ini");
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString perUser = config + QLatin1Char('/') + QFileInfo(settingsPath).fileName();
    // The link's owner, whether the per-user file is a dangling link, the file the close writes.
    const std::tuple<uid_t, bool, const QString*> rows[] = {
        {0, false, &target}, {65534, false, &perUser}, {65534, true, nullptr}};
    for (const auto& [owner, perUserDangling, written] : rows) {
        QDir(config).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(config));
        Write(target, "[Other]\nkept=1\n");
        const QString hop = folder + QStringLiteral("hop.ini");
        QFile::remove(settingsPath);
        QFile::remove(hop);
        ASSERT_TRUE(QFile::link(hop, settingsPath) && QFile::link(target, hop));
        ASSERT_EQ(::lchown(QFile::encodeName(hop).constData(), owner, owner), 0);
        if (perUserDangling) {
            ASSERT_TRUE(QFile::link(folder + QStringLiteral("nowhere.ini"), perUser));
        }
        errors.clear();
        Start();
        DisplaySettings.SetDisplayMode(2);
        EXPECT_TRUE(Close());
        EXPECT_EQ(errors,
                  written ? QStringList() : QStringList{"Не могу записать в " + perUser + "."});
        EXPECT_EQ(ReadFile(target).contains("rgGraphics=2"), written == &target) << owner;
        EXPECT_EQ(ReadFile(perUser).contains("rgGraphics=2"), written == &perUser) << owner;
        EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("nowhere.ini")));
        form.reset();
        ResetDisplaySettings();
    }
    QDir(config).removeRecursively();
}

// Markup in a language file is shown as the text it is: taken for HTML, an <img> in a label, a
// message box or a tooltip would make Qt open the FIFO it names, which blocks.
TEST_F(SettingsFileTest, MarkupInLanguageTextsOpensNoFile) {
    const QString fifo = folder + QStringLiteral("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const TFifoWatch watch({fifo});
    const QByteArray markup = "<img src=\"" + QFile::encodeName(fifo) + "\">";
    WriteLanguage("Markup.lng.ini", "[Label]\nlbMZodiac=" + markup + "\n[Image]\nimMZodiac=" +
                                        markup + "\n[About]\nLine1=" + markup + " %s\n");
    Write(settingsPath, "[Settings]\nLanguage=Markup\n");
    Start();
    auto* icon = Find<QWidget>("imMZodiac");
    QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), icon->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(icon, &help);
    OnModal(form.get(), [](QWidget* modal) { modal->close(); });
    Find<QAction>("actAbout")->trigger();
    EXPECT_FALSE(watch.Opened());
}

// Settings and language files of up to 16 MiB are read; a larger one is refused, said so, and
// never rewritten: the window still closes and the file stays byte for byte.
TEST_F(SettingsFileTest, FilesLargerThanSixteenMebibytesAreRefusedAndKept) {
    const qsizetype limit = 16 * 1024 * 1024;
    const QString language = folder + QStringLiteral("Language/Big.lng.ini");
    struct Row {
        qsizetype settingsSize;
        qsizetype languageSize;
        int displayMode;        // as read
        const char* startTitle; // the window's caption after start-up
        bool closeWrites;       // false: the file stays byte for byte
    };
    // A refused settings file names no language: the built-in one. The entries the close adds
    // to a file of exactly 16 MiB would make it one that no later start reads.
    const Row rows[] = {
        {limit - 4096, limit, 1, "Big 3.3", true},
        {limit, limit, 1, "Big 3.3", false},
        {limit + 1, limit, 0, "Орванта 3.3", false},
        {limit - 4096, limit + 1, 1, "Орванта 3.3", true},
    };
    const QString settingsRefused = "Не могу прочитать файл настроек \"" + settingsPath +
                                    "\": он больше 16 МБ. Файл останется как есть, настройки не "
                                    "будут сохранены.";
    const QString languageRefused =
        "Не могу прочитать файл языка \"" + language + "\": он больше 16 МБ.";
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.settingsSize << " " << row.languageSize);
        const bool settingsTooLarge = row.settingsSize > limit;
        const bool languageTooLarge = row.languageSize > limit;
        const QByteArray settings =
            PaddedTo("[Settings]\nrgGraphics=1\nLanguage=Big\n", row.settingsSize);
        Write(settingsPath, settings);
        Write(language, PaddedTo("[Main]\nMainForm.Caption=Big %s\n", row.languageSize));
        errors.clear();
        Start();
        EXPECT_EQ(DisplaySettings.DisplayMode(), row.displayMode);
        EXPECT_EQ(form->windowTitle(), row.startTitle);
        EXPECT_EQ(LanguageItems(), (QStringList{"Русский", "Big"}));
        QStringList expected;
        if (settingsTooLarge)
            expected << settingsRefused;
        else if (languageTooLarge)
            expected << languageRefused;
        EXPECT_EQ(errors, expected);
        // Chosen from the menu, the language is refused again, or loads.
        Choose("Big");
        EXPECT_EQ(form->windowTitle(), languageTooLarge ? "Орванта 3.3" : "Big 3.3");
        if (languageTooLarge)
            expected << languageRefused;
        EXPECT_EQ(errors, expected);

        DisplaySettings.SetDisplayMode(2);
        EXPECT_TRUE(Close());
        if (!row.closeWrites && !settingsTooLarge)
            expected << "Не могу записать в " + settingsPath + ": файл больше 16 МБ.";
        EXPECT_EQ(errors, expected);
        const QByteArray stored = Stored();
        if (!row.closeWrites)
            EXPECT_TRUE(stored == settings);
        else
            EXPECT_EQ(TProfileFile(stored.toStdString()).Read("Settings", "rgGraphics"), "2");
        EXPECT_TRUE(settingsTooLarge || stored.size() <= limit) << stored.size();
        form.reset();
        ResetDisplaySettings();
    }
}

namespace {

// Runs `write` in a child process as `user` (0, root, or 65534, who owns nothing here), for
// what root may do anyway; true when it reports success.
bool WrittenAs(uid_t user, const std::function<bool()>& write) {
    const pid_t child = fork();
    if (child == 0) {
        if (user != 0 && (setgid(user) != 0 || setuid(user) != 0))
            _exit(2);
        _exit(write() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace

// Who writes, in what folder, over what file: the replaced file keeps its permission bits and,
// where root replaces it, its owner; only the settings file is written in place, and only when
// its folder refuses the temporary file; a file that cannot be read is never replaced.
TEST(SettingsFileWrite, ReplacingKeepsModeAndOwnerAndOnlySettingsGoInPlace) {
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to set owners and drop to another user";
    const QByteArray oldSettings =
        QByteArray(DefaultFile).replace("lbManDateDay=23.12.1982", "lbManDateDay=01.02.1970");
    struct Row {
        const char* what;
        uid_t user;
        mode_t folderMode;
        mode_t fileMode;
        uid_t fileOwner;
        bool settings; // the settings file's save, or a file saved as the charts and the viewer do
        bool written;
        uid_t ownerAfter;
    };
    const Row rows[] = {
        {"root over a read-only file", 0, 0755, 0444, 0, false, true, 0},
        {"a user over a read-only file", 65534, 0777, 0444, 0, false, false, 0},
        {"root over a user's file", 0, 0755, 0640, 65534, false, true, 65534},
        {"root saves the settings", 0, 0755, 0604, 65534, true, true, 65534},
        {"settings in a read-only folder", 65534, 0555, 0666, 0, true, true, 0},
        {"another file in a read-only folder", 65534, 0555, 0666, 0, false, false, 0},
        {"read-only settings in a read-only folder", 65534, 0555, 0444, 0, true, false, 0},
        {"settings that cannot be read", 65534, 0777, 0222, 0, true, false, 0},
        {"a user over root's file", 65534, 0777, 0646, 0, true, true, 65534},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::ExeOther));
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QString folder = dir.filePath(QString::number(++n));
        const QString path = folder + QStringLiteral("/orvanta.ini");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QByteArray old = row.settings ? oldSettings : QByteArray("old\n");
        WriteFile(path, old);
        const QByteArray name = QFile::encodeName(path);
        ASSERT_EQ(::chown(name.constData(), row.fileOwner, row.fileOwner), 0);
        ASSERT_EQ(::chmod(name.constData(), row.fileMode), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), row.folderMode), 0);

        const bool written = WrittenAs(row.user, [&] {
            if (!row.settings)
                return static_cast<bool>(SaveWholeFile(path, "new\n", {.createFolder = true}));
            ResetDisplaySettings();
            try {
                SaveSettingsFile(path, Date(1982, 12, 23), Date(1983, 9, 29));
                return true;
            } catch (const EProgramError&) {
                return false;
            }
        });
        EXPECT_EQ(written, row.written);
        const QByteArray now = row.settings ? DefaultFile : QByteArray("new\n");
        EXPECT_EQ(ReadFile(path), row.written ? now : old);
        struct stat info {};
        ASSERT_EQ(::stat(name.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, row.fileMode);
        EXPECT_EQ(info.st_uid, row.ownerAfter);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}
