#include "base/SettingsEntries.h"

namespace {

// The keys of StoredFlagOrder's flags.
constexpr std::array<const char*, 8> FlagKeys{"cbOrdinate_Y",   "cbAbscissa_X",  "cbAxis",
                                              "cbMonthNumbers", "chkPhysical",   "chkEmotional",
                                              "chkSavvy",       "chkWarmhearted"};

std::size_t Index(DisplayFlag flag) {
    return static_cast<std::size_t>(flag);
}

std::optional<std::int32_t> Integer(const TProfileFile& file, const char* key) {
    const auto text = file.Read(SettingsSection, key);
    return text ? ReadProfileInteger(*text) : std::nullopt;
}

} // namespace

TCycleSet TSettingsValues::Cycles(TCycleSet shown) const {
    for (CycleKind kind : AllCycles)
        if (const auto on = Flags[Index(CycleFlag(kind))])
            shown.Set(kind, *on);
    return shown;
}

TSettingsValues ReadSettingsValues(const TProfileFile& file, const TShortDateFormat& regional,
                                   int currentYear) {
    const auto date = [&](const char* key) -> std::optional<TDateTime> {
        const auto text = file.Read(SettingsSection, key);
        return text ? ReadStoredDate(*text, regional, currentYear) : std::nullopt;
    };
    TSettingsValues values;
    values.ManBirthDate = date("lbManDateDay");
    values.WomanBirthDate = date("lbWomanDateDay");
    for (std::size_t i = 0; i < FlagKeys.size(); ++i)
        if (const auto value = Integer(file, FlagKeys[i]))
            values.Flags[Index(StoredFlagOrder[i])] = *value != 0;
    values.Opacity = Integer(file, "gbAlphaBlend");
    values.DisplayMode = Integer(file, "rgGraphics");
    if (const auto value = Integer(file, "pnColorWoman"))
        values.WomanColor = static_cast<TColor>(*value);
    if (const auto value = Integer(file, "pnColorMan"))
        values.ManColor = static_cast<TColor>(*value);
    values.Language = file.Read(SettingsSection, "Language");
    return values;
}

void WriteSettingsValues(TProfileFile& file, const TSettingsToWrite& values) {
    const auto write = [&file](const char* key, const std::string& value) {
        file.Write(SettingsSection, key, value);
    };
    const auto number = [](auto value) { return std::to_string(static_cast<std::int32_t>(value)); };
    write("lbManDateDay", StoredDateText(values.ManBirthDate));
    write("lbWomanDateDay", StoredDateText(values.WomanBirthDate));
    for (std::size_t i = 0; i < FlagKeys.size(); ++i)
        write(FlagKeys[i], values.Flags[Index(StoredFlagOrder[i])] ? "1" : "0");
    write("gbAlphaBlend", number(values.Opacity));
    write("rgGraphics", number(values.DisplayMode));
    write("pnColorWoman", number(values.WomanColor));
    write("pnColorMan", number(values.ManColor));
}
