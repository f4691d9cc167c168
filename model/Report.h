#pragma once

#include "model/Cycles.h"
#include "model/DateTime.h"
#include "model/Shared.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The figures of the detail report: each cycle's value and direction on the prognosis date,
// its critical days in the chart window, the days when several cycles are critical together,
// and how well the couple's cycles agree.

// Each cycle's period in ten-thousandths of a day (23.6884, 28.4261, 33.1638 and 38 days), in
// the order of CycleKind. Whole numbers, so that the zeros of a curve are found exactly: in
// floating point the heart cycle's value on day 19 is a tiny number of either sign, not 0.
inline constexpr std::array<std::int64_t, 4> CyclePeriods{236884, 284261, 331638, 380000};

inline constexpr std::int64_t CyclePeriod(CycleKind kind) {
    return CyclePeriods[static_cast<std::size_t>(kind)];
}

enum class CycleTrend { Rising, Falling };

// A cycle's value on a day of life in tenths of a percent of its amplitude: CycleValue / 25 ×
// 100, rounded to one decimal, so -1000..1000.
std::int32_t CyclePercentTenths(std::int32_t days, CycleKind kind);

// Rising when the next day's value is higher, falling when it is lower. Where a peak or trough
// lies exactly halfway between two days (the heart cycle's peak at 9.5 days), the two values
// are equal; the first of the two then still rises towards the peak (falls towards the trough),
// which is the direction of the curve on that day.
CycleTrend CycleTrendOn(std::int32_t days, CycleKind kind);

// The same two, from values already computed: CycleValue on the day and on the day after.
std::int32_t PercentTenthsOf(long double value);
CycleTrend TrendOf(long double today, long double next, std::int32_t days, CycleKind kind);
// The direction of the mean of `cycles`, from its values on the day and the day after; where the
// two are equal, the mean curve's slope on the day decides, as it does for a single cycle.
CycleTrend TrendOf(long double today, long double next, std::int32_t days,
                   std::span<const CycleKind> cycles);

// A critical day is the first whole day of life on or after a zero of the cycle's curve: the
// day whose value is 0 or has the opposite sign to the day before. The curve's zeros are the
// multiples of half a period, so the day of birth (day 0) is critical for every cycle, the next
// critical days come every half period, and no day before birth is critical.
bool IsCriticalDay(std::int32_t days, CycleKind kind);

// The critical days of a cycle for a person born on `birth`, from `first` to `last` inclusive;
// empty when any of the three is not a date of years 1..9999.
std::vector<TDateTime> CriticalDays(TDateTime birth, CycleKind kind, TDateTime first,
                                    TDateTime last);

// A run of consecutive especially unfavourable days, with the cycles critical in or next to it,
// in the order of CycleKind.
struct TDaySpan {
    TDateTime First = 0;
    TDateTime Last = 0;
    std::vector<CycleKind> Cycles;

    bool operator==(const TDaySpan&) const = default;
};

// Especially unfavourable days from `first` to `last`: critical days of one of `cycles` on
// which another of them also has a critical day, that day, the day before or the day after.
// Consecutive such days form one span. A cycle critical on a neighbouring day just outside
// `first`..`last` counts; the day itself is not listed.
std::vector<TDaySpan> UnfavourableDays(TDateTime birth, const std::vector<CycleKind>& cycles,
                                       TDateTime first, TDateTime last);

// How well one cycle of two persons agrees, in percent: 100 × (1 + cos(2π·d / p)) / 2 with d
// the days between the two dates of birth and p the cycle's period. 100 when they are born a
// whole number of periods apart, 0 when half a period.
long double CompatibilityPercent(std::int32_t daysApart, CycleKind kind);

// The same to one decimal, in tenths of a percent (0..1000).
std::int32_t CompatibilityTenths(std::int32_t daysApart, CycleKind kind);

struct TCycleFigures {
    CycleKind Kind = CycleKind::Physical;
    std::int32_t PercentTenths = 0;
    CycleTrend Trend = CycleTrend::Rising;
    std::vector<TDateTime> CriticalDays;
};

// A person's figures on a prognosis date.
struct TPersonFigures {
    // Both dates are dates of years 1..9999 and the person is born on or before the prognosis
    // date: only then do the cycles have a value and a direction.
    bool Born = false;
    // Nothing when the charts cannot be drawn (December 9999): no critical days then.
    std::optional<TChartWindow> Window;
    std::array<TCycleFigures, 4> Cycles{};
    // Over the cycles in use.
    std::vector<TDaySpan> Unfavourable;
};

// The especially unfavourable days are those of `cycles`.
TPersonFigures PersonFigures(TDateTime birth, TDateTime prognoseDate, TCycleSet cycles);
// The same with the cycles in use in DisplaySettings.
TPersonFigures PersonFigures(TDateTime birth, TDateTime prognoseDate);

struct TCompatibility {
    std::int32_t DaysApart = 0;
    std::array<std::int32_t, 4> PercentTenths{};
    // The mean of the exact percentages of the cycles in use, to one decimal; nothing when no
    // cycle is in use.
    std::optional<std::int32_t> MeanTenths;
};

// The mean is that of `cycles`.
TCompatibility CoupleCompatibility(TDateTime birth1, TDateTime birth2, TCycleSet cycles);
// The same with the cycles in use in DisplaySettings.
TCompatibility CoupleCompatibility(TDateTime birth1, TDateTime birth2);

// Tenths as a decimal with one digit after `separator`: "87.3", "-12.5", "0.0" with a point.
std::string DecimalTenths(std::int32_t tenths, char separator);
// The same as a Russian decimal, with the comma: "87,3", "-12,5", "0,0". Not a default argument
// of the above: the language forms take it as a function of one argument.
std::string TenthsText(std::int32_t tenths);
