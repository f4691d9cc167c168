#include "ProgramFixture.h"

#include <QDateEdit>

#include <cmath>
#include <map>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The fourteen entries in the order the file holds them, each with its default and another value.
const char* const Entries[][3] = {{"lbManDateDay", "23.12.1982", "01.02.1970"},
                                  {"lbWomanDateDay", "29.09.1983", "15.06.1975"},
                                  {"cbOrdinate_Y", "1", "0"},
                                  {"cbAbscissa_X", "1", "0"},
                                  {"cbAxis", "1", "0"},
                                  {"cbMonthNumbers", "1", "0"},
                                  {"chkPhysical", "1", "0"},
                                  {"chkEmotional", "1", "0"},
                                  {"chkSavvy", "1", "0"},
                                  {"chkWarmhearted", "1", "0"},
                                  {"gbAlphaBlend", "240", "200"},
                                  {"rgGraphics", "0", "1"},
                                  {"pnColorWoman", "255", "65280"},
                                  {"pnColorMan", "16711680", "32768"}};

using State = std::map<std::string, std::string>;

class SettingsKeysTest : public TProgramFixture {
protected:
    // What the program shows for each entry, in the file's encoding, and what the entries
    // steer beyond the record: the settings window's opacity and the colours the persons draw in.
    State Shown() const {
        const auto date = [this](const char* picker) {
            return Find<QDateEdit>(picker)
                ->date()
                .toString(QStringLiteral("dd.MM.yyyy"))
                .toStdString();
        };
        const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
        const auto number = [](auto n) { return std::to_string(n); };
        const TDisplaySettings& d = DisplaySettings;
        const double opacity = form->findChild<TSettingsForm*>()->windowOpacity();
        return {{"lbManDateDay", date("dtpManDateDay")},
                {"lbWomanDateDay", date("dtpWomanDateDay")},
                {"cbOrdinate_Y", flag(d.ShowOrdinate())},
                {"cbAbscissa_X", flag(d.ShowAbscissa())},
                {"cbAxis", flag(d.ShowDayLines())},
                {"cbMonthNumbers", flag(d.ShowDayNumbers())},
                {"chkPhysical", flag(d.UsePhysical())},
                {"chkEmotional", flag(d.UseEmotional())},
                {"chkSavvy", flag(d.UseIntellectual())},
                {"chkWarmhearted", flag(d.UseHeart())},
                {"gbAlphaBlend", number(d.SettingsOpacity())},
                {"rgGraphics", number(d.DisplayMode())},
                {"pnColorWoman", number(d.WomanColor())},
                {"pnColorMan", number(d.ManColor())},
                {"window opacity", number(std::lround(opacity * 255))},
                {"woman draws", number(Prognose.Woman.Color)},
                {"man draws", number(Prognose.Man.Color)}};
    }
};

} // namespace

TEST_F(SettingsKeysTest, EachEntryReadsIntoItsOwnSettingAndIsWrittenBackUnderItsKey) {
    for (const auto& entry : Entries) {
        SCOPED_TRACE(entry[0]);
        const QByteArray line = QByteArray(entry[0]) + "=" + entry[2] + "\n";
        Write(settingsPath, "[Settings]\n" + line);
        Start();
        State expected;
        QByteArray written = "[Settings]\n" + line; // in place, then the others at their defaults
        for (const auto& e : Entries) {
            expected[e[0]] = &e == &entry ? e[2] : e[1];
            if (&e != &entry)
                written += QByteArray(e[0]) + "=" + e[1] + "\n";
        }
        expected["window opacity"] = expected["gbAlphaBlend"];
        expected["woman draws"] = expected["pnColorWoman"];
        expected["man draws"] = expected["pnColorMan"];
        EXPECT_EQ(Shown(), expected);

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
