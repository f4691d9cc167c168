#include "ProgramFixture.h"

#include <QDateEdit>

#include <cmath>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a stored entry can change: the two birth dates, the display settings, the colours the
// persons draw with and the settings window's opacity.
struct State {
    QDate man{1982, 12, 23}, woman{1983, 9, 29};
    bool ordinate = true, abscissa = true, dayLines = true, dayNumbers = true;
    bool physical = true, emotional = true, intellectual = true, heart = true;
    int opacity = 240, windowAlpha = 240, mode = 0;
    TColor womanColor = 0x0000FF, manColor = 0xFF0000, womanDraws = 0x0000FF, manDraws = 0xFF0000;

    std::string Text() const {
        std::ostringstream s;
        s << man.toString(Qt::ISODate).toStdString() << " "
          << woman.toString(Qt::ISODate).toStdString() << " flags " << ordinate << abscissa
          << dayLines << dayNumbers << " cycles " << physical << emotional << intellectual << heart
          << " opacity " << opacity << "/" << windowAlpha << " mode " << mode << std::hex
          << " woman " << womanColor << "/" << womanDraws << " man " << manColor << "/" << manDraws;
        return s.str();
    }
};

// The fourteen entries in the order the file holds them, their defaults, and for each a value
// other than the default with the one change it makes.
struct Entry {
    const char* key;
    const char* byDefault;
    const char* other;
    std::function<void(State&)> change;
};
const Entry Entries[] = {
    {"lbManDateDay", "23.12.1982", "01.02.1970",
     [](State& s) {
         s.man = {1970, 2, 1};
     }},
    {"lbWomanDateDay", "29.09.1983", "15.06.1975",
     [](State& s) {
         s.woman = {1975, 6, 15};
     }},
    {"cbOrdinate_Y", "1", "0", [](State& s) { s.ordinate = false; }},
    {"cbAbscissa_X", "1", "0", [](State& s) { s.abscissa = false; }},
    {"cbAxis", "1", "0", [](State& s) { s.dayLines = false; }},
    {"cbMonthNumbers", "1", "0", [](State& s) { s.dayNumbers = false; }},
    {"chkPhysical", "1", "0", [](State& s) { s.physical = false; }},
    {"chkEmotional", "1", "0", [](State& s) { s.emotional = false; }},
    {"chkSavvy", "1", "0", [](State& s) { s.intellectual = false; }},
    {"chkWarmhearted", "1", "0", [](State& s) { s.heart = false; }},
    {"gbAlphaBlend", "240", "200", [](State& s) { s.opacity = s.windowAlpha = 200; }},
    {"rgGraphics", "0", "1", [](State& s) { s.mode = 1; }},
    {"pnColorWoman", "255", "65280", [](State& s) { s.womanColor = s.womanDraws = 0x00FF00; }},
    {"pnColorMan", "16711680", "32768", [](State& s) { s.manColor = s.manDraws = 0x008000; }},
};

class SettingsKeysTest : public TProgramFixture {
protected:
    State Shown() const {
        State s;
        s.man = Find<QDateEdit>("dtpManDateDay")->date();
        s.woman = Find<QDateEdit>("dtpWomanDateDay")->date();
        const TDisplaySettings& d = DisplaySettings;
        s.ordinate = d.ShowOrdinate();
        s.abscissa = d.ShowAbscissa();
        s.dayLines = d.ShowDayLines();
        s.dayNumbers = d.ShowDayNumbers();
        s.physical = d.UsePhysical();
        s.emotional = d.UseEmotional();
        s.intellectual = d.UseIntellectual();
        s.heart = d.UseHeart();
        s.opacity = d.SettingsOpacity();
        s.windowAlpha =
            static_cast<int>(std::lround(form->findChild<TSettingsForm*>()->windowOpacity() * 255));
        s.mode = d.DisplayMode();
        s.womanColor = d.WomanColor();
        s.manColor = d.ManColor();
        s.womanDraws = Prognose.Woman.Color;
        s.manDraws = Prognose.Man.Color;
        return s;
    }
};

} // namespace

TEST_F(SettingsKeysTest, EachEntryReadsIntoItsOwnSettingAndIsWrittenBackUnderItsKey) {
    for (const Entry& entry : Entries) {
        SCOPED_TRACE(entry.key);
        const QByteArray line = QByteArray(entry.key) + "=" + entry.other + "\n";
        Write(settingsPath, "[Settings]\n" + line);
        Start();
        State expected;
        entry.change(expected);
        EXPECT_EQ(Shown().Text(), expected.Text());

        // Closing writes the entry in place and adds the other thirteen, at their defaults.
        QByteArray written = "[Settings]\n" + line;
        for (const Entry& other : Entries)
            if (&other != &entry)
                written += QByteArray(other.key) + "=" + other.byDefault + "\n";
        ASSERT_TRUE(form->close());
        EXPECT_EQ(Stored(), written);
        form.reset();
        ResetDisplaySettings();
    }
}

TEST_F(SettingsKeysTest, SavingReplacesTheFileAndNeverWritesIntoIt) {
    // The old file held open, as a second copy of the program reading it would: a save that
    // wrote into it would change these very bytes.
    const QByteArray old = "; mine\n[Settings]\nrgGraphics=2\n";
    Write(settingsPath, old);
    const int held = ::open(QFile::encodeName(settingsPath).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    struct stat before {};
    ASSERT_EQ(::fstat(held, &before), 0);

    Start();
    DisplaySettings.SetFlag(DisplayFlag::ShowAbscissa, false);
    ASSERT_TRUE(form->close());

    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(settingsPath).constData(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    QByteArray bytes(1024, '\0');
    const ssize_t n = ::pread(held, bytes.data(), static_cast<std::size_t>(bytes.size()), 0);
    ::close(held);
    EXPECT_EQ(bytes.left(n < 0 ? 0 : n), old);
    EXPECT_TRUE(Stored().startsWith(old));
    EXPECT_TRUE(Stored().contains("\ncbAbscissa_X=0\n"));
    // Nothing left beside it.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QFileInfo(settingsPath).fileName()});
}
