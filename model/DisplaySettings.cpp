#include "model/DisplaySettings.h"

#include <algorithm>

TDisplaySettings DisplaySettings;

bool TDisplaySettings::UseCycle(CycleKind kind) const {
    return Flag(CycleFlag(kind));
}

TCycleSet TDisplaySettings::Cycles() const {
    TCycleSet cycles;
    for (CycleKind kind : AllCycles)
        cycles.Set(kind, UseCycle(kind));
    return cycles;
}

void TDisplaySettings::SetDisplayMode(int mode) {
    mode = std::clamp(mode, MinDisplayMode, MaxDisplayMode);
    if (mode == displayMode_)
        return;
    displayMode_ = mode;
    Notify(SettingsField::DisplayMode);
    if (connected_ && mode >= 0)
        SettingsOnChange();
}

void TDisplaySettings::SetFlag(DisplayFlag flag, bool on) {
    if (flags_[Index(flag)] == on)
        return;
    flags_[Index(flag)] = on;
    Notify(SettingsField::Flag, flag);
    if (connected_)
        SettingsOnChange();
}

void TDisplaySettings::SetManColor(TColor color) {
    if (color == manColor_)
        return;
    manColor_ = color;
    Notify(SettingsField::ManColor);
}

void TDisplaySettings::SetWomanColor(TColor color) {
    if (color == womanColor_)
        return;
    womanColor_ = color;
    Notify(SettingsField::WomanColor);
}

void TDisplaySettings::SetSettingsOpacity(int opacity) {
    opacity = std::clamp(opacity, MinOpacity, MaxOpacity);
    if (opacity == opacity_)
        return;
    opacity_ = opacity;
    Notify(SettingsField::SettingsOpacity);
}

void TDisplaySettings::ChangeManColor(TColor color) {
    SetManColor(color);
    HandOverColor(true, color);
    RunAnalysisRefresh();
}

void TDisplaySettings::ChangeWomanColor(TColor color) {
    SetWomanColor(color);
    HandOverColor(false, color);
    RunAnalysisRefresh();
}

void TDisplaySettings::RestoreDefaults() {
    SetDisplayMode(DefaultDisplayMode);
    for (DisplayFlag flag :
         {DisplayFlag::ShowOrdinate, DisplayFlag::ShowAbscissa, DisplayFlag::ShowDayLines,
          DisplayFlag::ShowDayNumbers, DisplayFlag::UsePhysical, DisplayFlag::UseEmotional,
          DisplayFlag::UseIntellectual, DisplayFlag::UseHeart})
        SetFlag(flag, true);
    SetSettingsOpacity(DefaultOpacity);
    SetWomanColor(clRed);
    HandOverColor(false, clRed);
    SetManColor(clBlue);
    HandOverColor(true, clBlue);
    RunAnalysisRefresh();
}

void TDisplaySettings::SetColorHandover(ColorHandover handover) {
    colorHandover_ = std::move(handover);
}

void TDisplaySettings::HandOverColor(bool man, TColor color) const {
    if (colorHandover_)
        colorHandover_(man, color);
}

int TDisplaySettings::AddObserver(Observer observer) {
    const int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void TDisplaySettings::RemoveObserver(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void TDisplaySettings::RunAnalysisRefresh() {
    if (refresh_)
        refresh_();
}

void TDisplaySettings::SettingsOnChange() {
    if (!UsePhysical() && !UseEmotional() && !UseIntellectual() && !UseHeart()) {
        // Runs SettingsOnChange once more, nested, which refreshes; then we refresh again.
        SetFlag(DisplayFlag::UsePhysical, true);
    }
    RunAnalysisRefresh();
}

void TDisplaySettings::Notify(SettingsField field, DisplayFlag flag) {
    // A copy: an observer may add or remove observers while being told.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers)
        observer(field, flag);
}
