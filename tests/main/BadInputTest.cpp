// Bad input the program meets from outside, end to end through the main window: a full disk,
// hostile settings and language files, impossible dates. Each case starts a window over a
// program folder of its own, as the program starts.
#include "ProgramFixture.h"
#include "main/ChartExport.h"
#include "model/Error.h"
#include "viewer/InfoViewer.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>

#include <sys/resource.h>

#include <csignal>
#include <random>

namespace {

class BadInputTest : public TProgramFixture {};

// While alive, no file of this process may grow past `bytes`: a full disk, as writes see it.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of killing us
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

// Whether file size limits hold here: a sandbox may not apply them.
bool FileSizeLimitsHold(const QString& folder) {
    QFile probe(folder + QStringLiteral("probe"));
    bool held = false;
    {
        const TFileSizeLimit limit(8);
        held = probe.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
               probe.write(QByteArray(64, 'x')) < 64;
        probe.close();
    }
    probe.remove();
    return held;
}

} // namespace

// A full disk: the settings file, a saved document and a chart picture all stay as they were,
// with nothing left beside them, and the window stays open until a close with room again.
TEST_F(BadInputTest, AFullDiskKeepsEverySavedFileAsItWas) {
    if (!FileSizeLimitsHold(folder))
        GTEST_SKIP() << "file size limits do not hold here";
    // Its first bytes differ from what the program writes, so that a write cut short shows.
    const QByteArray old = "; mine\n[Settings]\nrgGraphics=01\n";
    const QString document = folder + QStringLiteral("document.rtf");
    const QString picture = folder + QStringLiteral("charts.png");
    for (const QString& path : {settingsPath, document, picture})
        Write(path, old);
    Start();
    EXPECT_EQ(DisplaySettings.DisplayMode(), 1);
    TInfoViewerForm viewer(form.get());
    viewer.LoadDocument("{\\rtf1 " + QByteArray(20000, 'x') + "}");
    {
        const TFileSizeLimit full(old.size());
        EXPECT_FALSE(form->close());
        EXPECT_THROW(viewer.SaveDocument(document), EProgramError);
        EXPECT_THROW(SaveChartArea(Find<QWidget>("gbGraphics"), picture), EProgramError);
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(errors, QStringList{"Не могу записать в " + settingsPath + "."});
    for (const QString& path : {settingsPath, document, picture})
        EXPECT_EQ(ReadFile(path), old) << path.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(Stored().startsWith("; mine\n[Settings]\nrgGraphics=1\n"));
    EXPECT_EQ(TProfileFile(Stored().toStdString()).Keys("Settings").size(), 14u);
}

TEST_F(BadInputTest, HostileSettingsFileStartsWithDefaultsAndKeepsTheUsersBytes) {
    // Noise of every byte, NULs and broken UTF-8 included, before the section; then entries
    // that are too long, out of range or of the wrong kind.
    std::mt19937 random(7);
    QByteArray noise;
    for (int i = 0; i < 200000; ++i)
        noise += static_cast<char>(random() % 256);
    noise.replace('[', '(').replace("\n", "\n;"); // noise holds no section
    noise += '\n';
    const QByteArray entries = "[Settings]\n"
                               "lbManDateDay=" +
                               QByteArray(100000, '9') +
                               "\n"
                               "lbWomanDateDay=31.02.1990\n"
                               "cbAxis=\x01\n"
                               "chkPhysical=x" +
                               QByteArray(5000, '0') + "\n" +
                               "gbAlphaBlend=99999999999999999999\n"
                               "rgGraphics=0x\n"
                               "pnColorMan=$" +
                               QByteArray(3000, 'F') +
                               "\n"
                               "pnColorWoman=-\n"
                               "Language=\xff\xfe\x80 " +
                               QByteArray(3000, 'L') + "\n";
    Write(settingsPath, noise + entries);
    Start();
    EXPECT_EQ(Find<QDateEdit>("dtpManDateDay")->date(), QDate(1982, 12, 23));
    EXPECT_EQ(Find<QDateEdit>("dtpWomanDateDay")->date(), QDate(1983, 9, 29));
    EXPECT_EQ(DisplaySettings.SettingsOpacity(), 240);
    EXPECT_EQ(DisplaySettings.DisplayMode(), 0);
    EXPECT_EQ(DisplaySettings.ManColor(), clBlue);
    EXPECT_EQ(DisplaySettings.WomanColor(), clRed);
    EXPECT_TRUE(DisplaySettings.UsePhysical());
    EXPECT_TRUE(DisplaySettings.ShowDayLines());
    EXPECT_EQ(form->windowTitle(), "Орванта 3.3"); // no such language: the built-in one

    ASSERT_TRUE(form->close());
    const QByteArray stored = Stored();
    EXPECT_TRUE(stored.startsWith(noise)); // every byte the program does not own stays
    const TProfileFile file(stored.toStdString());
    EXPECT_EQ(file.Read("Settings", "lbManDateDay"), "23.12.1982");
    EXPECT_EQ(file.Read("Settings", "pnColorMan"), "16711680");
    EXPECT_EQ(file.Read("Settings", "Language")->size(), TProfileFile::MaxValueLength);
    EXPECT_EQ(file.Keys("Settings").size(), 15u);
}

// Impossible stored dates are SettingsCodec's and the hostile file's.
TEST_F(BadInputTest, ImpossibleDatesNeverReachTheCharts) {
    Start();
    // The pickers keep to their calendar, and both ends of it draw.
    auto* prognose = Find<QDateEdit>("dtpPrognoseDate");
    auto* man = Find<QDateEdit>("dtpManDateDay");
    auto* woman = Find<QDateEdit>("dtpWomanDateDay");
    man->setDate(QDate(1500, 1, 1));
    EXPECT_EQ(man->date(), QDate(1601, 1, 1));
    woman->setDate(QDate(9999, 12, 31)); // born after the prognosis date
    EXPECT_EQ(woman->date(), QDate(9999, 12, 31));
    prognose->setDate(QDate(1601, 1, 1));
    EXPECT_FALSE(Find<QLabel>("lbMZodiac")->text().isEmpty());

    // The charted months must exist: the prognosis date ends in November 9999, so that the
    // results always belong to the date shown, never to the one before.
    man->setDate(QDate(9999, 10, 1));
    for (const QDate wanted : {QDate(9999, 12, 7), QDate(9999, 12, 1), QDate(9999, 11, 30)}) {
        prognose->setDate(QDate(9999, 10, 1));
        prognose->setDate(wanted);
        EXPECT_EQ(prognose->date(), QDate(9999, 11, 30));
        EXPECT_EQ(Prognose.PrognoseDate, *EncodeDate(9999, 11, 30));
        EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), "Графики биоритмов для ноября и декабря");
        // Born on 1 October: the first good day comes after the 1 October one, in the window.
        EXPECT_GE(Prognose.Man.GoodDay, *EncodeDate(9999, 11, 29));
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(BadInputTest, LanguageFilesWithLongOrWrongTexts) {
    QByteArray caption;
    for (int i = 0; i < 3000; ++i)
        caption += "Ж";
    Write(folder + QStringLiteral("Language/Long.lng.ini"),
          "[Main]\nMainForm.Caption=" + caption + "\n[Monthes]\n1=" + caption + "\n");
    Write(folder + QStringLiteral("Language/Binary.lng.ini"),
          QByteArray("\0\xff[Main]\n\0MainForm.Caption=%s%s\n", 30));
    Write(settingsPath, "[Settings]\nLanguage=Long\n");
    Start();
    // Cut to the first 1023 letters, not into half a letter.
    EXPECT_EQ(form->windowTitle(), QString(1023, u'Ж'));
    EXPECT_EQ(MonthNames[1].size(), 2046u);
    form.reset();

    // A file of noise with a broken caption: nothing to apply, the start goes on.
    Write(settingsPath, "[Settings]\nLanguage=Binary\n");
    Start();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(BadInputTest, AChartCaptionWithWrongPlaceholdersIsShownAsAnErrorAndTheProgramGoesOn) {
    Write(folder + QStringLiteral("Language/Three.lng.ini"), "[GroupBox]\ngbGraphics=%s %s %s\n");
    Write(settingsPath, "[Settings]\nLanguage=Three\n");
    WriteLanguage("Русский.lng.ini", "[GroupBox]\ngbGraphics=Для %s и %s\n");
    Start();
    // At start-up the language fails at the refresh that ends its load: the error is shown once,
    // and the built-in texts take its place.
    QCoreApplication::processEvents();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Нет аргумента для формата ' %s %s %s '"))
        << errors[0].toStdString();
    EXPECT_TRUE(form->isVisible());
    Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2026, 12, 7));
    EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), "Графики биоритмов для декабря и января");
    EXPECT_EQ(errors.size(), 1);

    // Chosen from the menu, every refresh fails at the caption and says so.
    Choose("Three");
    errors.clear();
    Find<QDateEdit>("dtpManDateDay")->setDate(QDate(1990, 5, 5));
    EXPECT_EQ(errors.size(), 1);
    // Another language mends it.
    Choose("Русский");
    EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(), " Для 12 и 1 "); // no month names
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(form->close()); // the settings are still written
    EXPECT_EQ(TProfileFile(Stored().toStdString()).Read("Settings", "lbManDateDay"), "05.05.1990");
}
