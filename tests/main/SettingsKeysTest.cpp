#include "ProgramFixture.h"

#include <QDateEdit>

#include <cmath>
#include <map>
#include <span>
#include <string>

namespace {

// Each entry as stored and as read (and written back), after its key and its default: every key
// once with a value away from its default, in the file's order, then the stored forms that read
// as another value or as none.
const char* const Entries[][4] = {{"lbManDateDay", "23.12.1982", "01.02.1970", "01.02.1970"},
                                  {"lbWomanDateDay", "29.09.1983", "15.06.1975", "15.06.1975"},
                                  {"cbOrdinate_Y", "1", "0", "0"},
                                  {"cbAbscissa_X", "1", "0", "0"},
                                  {"cbAxis", "1", "0", "0"},
                                  {"cbMonthNumbers", "1", "0", "0"},
                                  {"chkPhysical", "1", "0", "0"},
                                  {"chkEmotional", "1", "0", "0"},
                                  {"chkSavvy", "1", "0", "0"},
                                  {"chkWarmhearted", "1", "0", "0"},
                                  {"gbAlphaBlend", "240", "10", "145"},
                                  {"rgGraphics", "0", "7", "2"},
                                  {"pnColorWoman", "255", "$FF00", "65280"},
                                  {"pnColorMan", "16711680", "0x8000", "32768"},
                                  {"chkSavvy", "1", "2", "1"},
                                  {"chkPhysical", "1", "yes", "1"},
                                  {"pnColorWoman", "255", "blue", "255"},
                                  {"rgGraphics", "0", "-5", "-1"}};
constexpr std::size_t EntryCount = 14; // the first rows

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

// In a file of the user's, with a comment, a language, another section and its own line breaks:
// the entry is read, then written back in place, the others after the section's last entry.
TEST_F(SettingsKeysTest, EachEntryReadsIntoItsOwnSettingAndIsWrittenBackUnderItsKey) {
    for (const auto& entry : Entries) {
        SCOPED_TRACE(std::string(entry[0]) + "=" + entry[2]);
        const auto file = [&](const char* value, const QByteArray& others) {
            return "; kept\r\n[Settings]\r\n" + QByteArray(entry[0]) + "=" + value +
                   "\r\nLanguage=Nowhere\r\n" + others + "\r\n[Mine]\r\nx=1\r\n";
        };
        Write(settingsPath, file(entry[2], ""));
        Start();
        State expected;
        QByteArray others;
        for (const auto& e : std::span(Entries).first(EntryCount)) {
            const bool same = std::string_view(e[0]) == entry[0];
            expected[e[0]] = same ? entry[3] : e[1];
            if (!same)
                others += QByteArray(e[0]) + "=" + e[1] + "\r\n";
        }
        expected["window opacity"] = expected["gbAlphaBlend"];
        expected["woman draws"] = expected["pnColorWoman"];
        expected["man draws"] = expected["pnColorMan"];
        EXPECT_EQ(Shown(), expected);

        ASSERT_TRUE(form->close());
        EXPECT_EQ(Stored(), file(entry[3], others));
        form.reset();
        ResetDisplaySettings();
    }
}
