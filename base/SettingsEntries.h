#pragma once

#include "base/ProfileFile.h"
#include "base/SettingsCodec.h"
#include "model/DisplaySettings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The settings file's entries as values, for the window and the command line alike: what each
// entry's text means, and the text each value is written as.

// The "Settings" section's name.
inline constexpr const char* SettingsSection = "Settings";

// The flags in the order the file holds them.
inline constexpr std::array<DisplayFlag, 8> StoredFlagOrder{
    DisplayFlag::ShowOrdinate,    DisplayFlag::ShowAbscissa, DisplayFlag::ShowDayLines,
    DisplayFlag::ShowDayNumbers,  DisplayFlag::UsePhysical,  DisplayFlag::UseEmotional,
    DisplayFlag::UseIntellectual, DisplayFlag::UseHeart};

// The entries as read: each one that is missing or cannot be read in its encoding is nothing.
struct TSettingsValues {
    std::optional<TDateTime> ManBirthDate;
    std::optional<TDateTime> WomanBirthDate;
    std::array<std::optional<bool>, 8> Flags; // by DisplayFlag
    std::optional<std::int32_t> Opacity;
    std::optional<std::int32_t> DisplayMode;
    std::optional<TColor> WomanColor;
    std::optional<TColor> ManColor;
    std::optional<std::string> Language; // as stored

    // The cycles in use: `shown` with what the file says of each.
    TCycleSet Cycles(TCycleSet shown) const;
};

// Dates are read in the regional short form of the start-up, two numbers alone in
// `currentYear`.
TSettingsValues ReadSettingsValues(const TProfileFile& file, const TShortDateFormat& regional,
                                   int currentYear);

// What the close writes: every entry but "Language".
struct TSettingsToWrite {
    TDateTime ManBirthDate = 0;
    TDateTime WomanBirthDate = 0;
    std::array<bool, 8> Flags{}; // by DisplayFlag
    std::int32_t Opacity = 0;
    std::int32_t DisplayMode = 0;
    TColor WomanColor = 0;
    TColor ManColor = 0;
};

// Writes the fourteen entries in their order; every other line stays.
void WriteSettingsValues(TProfileFile& file, const TSettingsToWrite& values);
