#pragma once

// Small helpers the tests of several folders share.

#include "model/DateTime.h"
#include "model/DisplaySettings.h"

// A date the test knows to be valid.
inline TDateTime Date(int year, unsigned month, unsigned day) {
    return *EncodeDate(year, month, day);
}

// The cycles of a mask, bit 0 physical to bit 3 heart.
inline TCycleSet CyclesOf(unsigned mask) {
    TCycleSet cycles;
    for (CycleKind kind : AllCycles)
        cycles.Set(kind, (mask & (1u << static_cast<unsigned>(kind))) != 0);
    return cycles;
}

// The cycles by their letters, as the command line and the tables of the tests name them.
namespace cycle_letters {
inline constexpr CycleKind P = CycleKind::Physical;
inline constexpr CycleKind E = CycleKind::Emotional;
inline constexpr CycleKind I = CycleKind::Intellectual;
inline constexpr CycleKind H = CycleKind::Heart;
} // namespace cycle_letters

// Every display setting back at its default, nothing connected and no refresh to run.
inline void ResetDisplaySettings() {
    DisplaySettings.DisconnectSettingsOnChange();
    DisplaySettings.SetAnalysisRefresh({});
    DisplaySettings.SetColorHandover({});
    DisplaySettings.RestoreDefaults();
}
