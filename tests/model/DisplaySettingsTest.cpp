#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class DisplaySettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDisplaySettings();
        DisplaySettings.SetAnalysisRefresh([this] { ++refreshes; });
    }
    void TearDown() override { ResetDisplaySettings(); }

    int refreshes = 0;
};

} // namespace

TEST_F(DisplaySettingsTest, DefaultsAndClamping) {
    const TDisplaySettings fresh;
    EXPECT_EQ(fresh.DisplayMode(), 0);
    for (int f = 0; f < 8; ++f)
        EXPECT_TRUE(fresh.Flag(static_cast<DisplayFlag>(f)));
    EXPECT_EQ(fresh.ManColor(), 0xFF0000u);
    EXPECT_EQ(fresh.WomanColor(), 0x0000FFu);
    EXPECT_EQ(fresh.SettingsOpacity(), 240);

    for (const auto& [mode, kept] : {std::pair{7, 2}, {-5, -1}, {-1, -1}, {2, 2}}) {
        DisplaySettings.SetDisplayMode(mode);
        EXPECT_EQ(DisplaySettings.DisplayMode(), kept) << mode;
    }
    for (const auto& [opacity, kept] : {std::pair{100, 145}, {145, 145}, {255, 255}, {300, 255}}) {
        DisplaySettings.SetSettingsOpacity(opacity);
        EXPECT_EQ(DisplaySettings.SettingsOpacity(), kept) << opacity;
    }
    DisplaySettings.SetManColor(0x12345678);
    EXPECT_EQ(DisplaySettings.ManColor(), 0x12345678u); // a colour is used unchanged
}

TEST_F(DisplaySettingsTest, NotificationsOnlyWhenConnectedAndChanged) {
    std::vector<SettingsField> told;
    const int id =
        DisplaySettings.AddObserver([&](SettingsField f, DisplayFlag) { told.push_back(f); });

    // Loading: observers follow, but no SettingsOnChange and no rule.
    for (CycleKind kind : AllCycles)
        DisplaySettings.SetFlag(CycleFlag(kind), false);
    DisplaySettings.SetSettingsOpacity(200);
    EXPECT_EQ(refreshes, 0);
    EXPECT_FALSE(DisplaySettings.UsePhysical());
    EXPECT_EQ(told.size(), 5u);

    DisplaySettings.ConnectSettingsOnChange();
    DisplaySettings.SetFlag(DisplayFlag::ShowOrdinate, true); // already true
    DisplaySettings.SetDisplayMode(0);                        // already 0
    EXPECT_EQ(refreshes, 0);

    // The rule applies first at the next change of any flag or of the mode: nested run, then
    // the outer one.
    DisplaySettings.SetDisplayMode(1);
    EXPECT_TRUE(DisplaySettings.UsePhysical());
    EXPECT_EQ(refreshes, 2);

    refreshes = 0;
    DisplaySettings.SetDisplayMode(-1); // no choice: tells the window, runs nothing
    EXPECT_EQ(refreshes, 0);
    DisplaySettings.SetManColor(0x00FF00);
    DisplaySettings.SetSettingsOpacity(145);
    EXPECT_EQ(refreshes, 0);
    DisplaySettings.SetFlag(DisplayFlag::ShowDayLines, false);
    EXPECT_EQ(refreshes, 1);

    // Only the heart cycle on: switching it off brings the physical one back, not the heart.
    DisplaySettings.SetFlag(DisplayFlag::UseHeart, true);
    DisplaySettings.SetFlag(DisplayFlag::UsePhysical, false);
    DisplaySettings.SetFlag(DisplayFlag::UseHeart, false);
    EXPECT_TRUE(DisplaySettings.UsePhysical());
    EXPECT_FALSE(DisplaySettings.UseHeart());

    DisplaySettings.RemoveObserver(id);
    const auto before = told.size();
    DisplaySettings.SetFlag(DisplayFlag::ShowDayLines, true);
    EXPECT_EQ(told.size(), before);
}

TEST_F(DisplaySettingsTest, ColourChangesAndRestoreDefaults) {
    // The hand-over comes after the field is set and before the refresh: record what it sees.
    struct Handed {
        bool man;
        TColor color;
        TColor field;
        int refreshesBefore;
        bool operator==(const Handed&) const = default;
    };
    std::vector<Handed> handed;
    DisplaySettings.SetColorHandover([&](bool man, TColor color) {
        handed.push_back({man, color,
                          man ? DisplaySettings.ManColor() : DisplaySettings.WomanColor(),
                          refreshes});
    });
    DisplaySettings.ConnectSettingsOnChange();
    DisplaySettings.ChangeWomanColor(0x00FF00);
    DisplaySettings.ChangeManColor(0x0000AA);
    EXPECT_EQ(DisplaySettings.WomanColor(), 0x00FF00u);
    EXPECT_EQ(handed,
              (std::vector<Handed>{{false, 0x00FF00, 0x00FF00, 0}, {true, 0x0000AA, 0x0000AA, 1}}));
    EXPECT_EQ(refreshes, 2);

    // Everything at its default: exactly one refresh, and both persons' colours handed over
    // anyway, the woman's first.
    DisplaySettings.RestoreDefaults();
    refreshes = 0;
    handed.clear();
    DisplaySettings.RestoreDefaults();
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(handed, (std::vector<Handed>{{false, clRed, clRed, 0}, {true, clBlue, clBlue, 0}}));
    DisplaySettings.SetColorHandover({});

    // Each changed flag refreshes as it goes, then one final refresh.
    DisplaySettings.SetDisplayMode(2);
    DisplaySettings.SetFlag(DisplayFlag::ShowAbscissa, false);
    DisplaySettings.SetSettingsOpacity(200);
    refreshes = 0;
    DisplaySettings.RestoreDefaults();
    EXPECT_EQ(refreshes, 3);

    // From every field away from its default, as a settings file can leave them, all come back.
    DisplaySettings.DisconnectSettingsOnChange();
    DisplaySettings.SetDisplayMode(-1);
    for (int f = 0; f < 8; ++f)
        DisplaySettings.SetFlag(static_cast<DisplayFlag>(f), false);
    DisplaySettings.SetManColor(1);
    DisplaySettings.SetWomanColor(2);
    DisplaySettings.SetSettingsOpacity(150);
    DisplaySettings.RestoreDefaults();
    EXPECT_EQ(DisplaySettings.DisplayMode(), 0);
    for (int f = 0; f < 8; ++f)
        EXPECT_TRUE(DisplaySettings.Flag(static_cast<DisplayFlag>(f))) << f;
    EXPECT_EQ(DisplaySettings.ManColor(), 0xFF0000u);
    EXPECT_EQ(DisplaySettings.WomanColor(), 0x0000FFu);
    EXPECT_EQ(DisplaySettings.SettingsOpacity(), 240);
}
