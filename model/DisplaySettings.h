#pragma once

#include "model/Cycles.h"
#include "model/DateTime.h"

#include <array>
#include <functional>
#include <vector>

// The eight on/off settings, in the order of the settings window.
enum class DisplayFlag {
    UsePhysical,
    UseEmotional,
    UseIntellectual,
    UseHeart,
    ShowOrdinate,
    ShowAbscissa,
    ShowDayLines,
    ShowDayNumbers,
};

// The flag that puts a cycle in use: the first four flags follow the order of CycleKind.
constexpr DisplayFlag CycleFlag(CycleKind kind) {
    return static_cast<DisplayFlag>(kind);
}

// What changed, as told to observers.
enum class SettingsField {
    DisplayMode,
    Flag,
    ManColor,
    WomanColor,
    SettingsOpacity,
};

// The user's display settings: the one source of truth that the settings window shows and
// that the model and the charts read at the moment they compute.
class TDisplaySettings {
public:
    static constexpr int DefaultDisplayMode = 0;
    static constexpr int MinDisplayMode = -1;
    static constexpr int MaxDisplayMode = 2;
    static constexpr int DefaultOpacity = 240;
    static constexpr int MinOpacity = 145;
    static constexpr int MaxOpacity = 255;

    using Observer = std::function<void(SettingsField, DisplayFlag)>;
    using Handler = std::function<void()>;
    // Gives a person record its new colour: true for the man.
    using ColorHandover = std::function<void(bool man, TColor color)>;

    // 0 both persons, 1 only the woman, 2 only the man, -1 no choice made.
    int DisplayMode() const { return displayMode_; }
    bool Flag(DisplayFlag flag) const { return flags_[Index(flag)]; }
    bool UseCycle(CycleKind kind) const;
    // The cycles in use, as the core's computations take them.
    TCycleSet Cycles() const;
    bool UsePhysical() const { return Flag(DisplayFlag::UsePhysical); }
    bool UseEmotional() const { return Flag(DisplayFlag::UseEmotional); }
    bool UseIntellectual() const { return Flag(DisplayFlag::UseIntellectual); }
    bool UseHeart() const { return Flag(DisplayFlag::UseHeart); }
    bool ShowOrdinate() const { return Flag(DisplayFlag::ShowOrdinate); }
    bool ShowAbscissa() const { return Flag(DisplayFlag::ShowAbscissa); }
    bool ShowDayLines() const { return Flag(DisplayFlag::ShowDayLines); }
    bool ShowDayNumbers() const { return Flag(DisplayFlag::ShowDayNumbers); }
    TColor ManColor() const { return manColor_; }
    TColor WomanColor() const { return womanColor_; }
    int SettingsOpacity() const { return opacity_; }

    // Assignments: a value the field already has changes nothing and tells no one.
    void SetDisplayMode(int mode);
    void SetFlag(DisplayFlag flag, bool on);
    void SetManColor(TColor color);
    void SetWomanColor(TColor color);
    void SetSettingsOpacity(int opacity);

    // A colour chosen by the user: the field, the person's colour, then the refresh.
    void ChangeManColor(TColor color);
    void ChangeWomanColor(TColor color);

    // Every default back in place, ending with one refresh.
    void RestoreDefaults();

    // Observers hear of every change, connected or not (the settings window mirrors them).
    int AddObserver(Observer observer);
    // The person records take their colours from here: a colour chosen in the settings window,
    // or restored, is handed over after the field is set and before the refresh runs. The main
    // window connects it at start-up; the record itself knows nothing of the model's globals.
    void SetColorHandover(ColorHandover handover);
    void RemoveObserver(int id);

    // How to run the analysis refresh; empty runs nothing.
    void SetAnalysisRefresh(Handler refresh) { refresh_ = std::move(refresh); }
    void RunAnalysisRefresh();

    // Once connected, a change of a flag or of the mode to 0..2 runs SettingsOnChange.
    // Loading runs while disconnected, so it applies no rule and redraws nothing.
    void ConnectSettingsOnChange() { connected_ = true; }
    void DisconnectSettingsOnChange() { connected_ = false; }
    bool SettingsOnChangeConnected() const { return connected_; }

    // At least one cycle stays in use, then the refresh runs.
    void SettingsOnChange();

private:
    static std::size_t Index(DisplayFlag flag) { return static_cast<std::size_t>(flag); }
    void Notify(SettingsField field, DisplayFlag flag = DisplayFlag::UsePhysical);

    int displayMode_ = DefaultDisplayMode;
    std::array<bool, 8> flags_{true, true, true, true, true, true, true, true};
    TColor manColor_ = clBlue;
    TColor womanColor_ = clRed;
    int opacity_ = DefaultOpacity;

    bool connected_ = false;
    Handler refresh_;
    void HandOverColor(bool man, TColor color) const;

    std::vector<std::pair<int, Observer>> observers_;
    ColorHandover colorHandover_;
    int nextObserverId_ = 1;
};

extern TDisplaySettings DisplaySettings;
