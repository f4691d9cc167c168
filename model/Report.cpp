#include "model/Report.h"

#include "model/DisplaySettings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Values of two days this close are equal; a real difference between two days of these
// periods is at least about 1e-5.
constexpr long double TieTolerance = 1e-9L;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The whole day of a date of years 1..9999.
std::optional<std::int64_t> DayNumber(TDateTime date) {
    if (!DecodeDate(date))
        return std::nullopt;
    return static_cast<std::int64_t>(DateOf(date));
}

} // namespace

std::int32_t PercentTenthsOf(long double value) {
    // Value / 25 × 100 percent, in tenths: value × 40.
    return static_cast<std::int32_t>(std::llround(value * 40.0L));
}

std::int32_t CyclePercentTenths(std::int32_t days, CycleKind kind) {
    return PercentTenthsOf(CycleValue(days, CycleFactor(kind)));
}

CycleTrend TrendOf(long double today, long double next, std::int32_t days,
                   std::span<const CycleKind> cycles) {
    if (std::fabs(next - today) > TieTolerance)
        return next > today ? CycleTrend::Rising : CycleTrend::Falling;
    long double slope = 0;
    for (CycleKind kind : cycles)
        slope += CycleFactor(kind) * std::cos(static_cast<long double>(days) * CycleFactor(kind));
    return slope > 0 ? CycleTrend::Rising : CycleTrend::Falling;
}

CycleTrend TrendOf(long double today, long double next, std::int32_t days, CycleKind kind) {
    return TrendOf(today, next, days, std::span<const CycleKind>(&kind, 1));
}

CycleTrend CycleTrendOn(std::int32_t days, CycleKind kind) {
    const long double factor = CycleFactor(kind);
    // CycleValue's formula, with room for the day after the last 32-bit day.
    const long double next = 25.0L * std::sin((static_cast<long double>(days) + 1) * factor);
    return TrendOf(CycleValue(days, factor), next, days, kind);
}

bool IsCriticalDay(std::int32_t days, CycleKind kind) {
    if (days < 0)
        return false;
    // Zero k of the curve lies at k × period / 2 days, i.e. at k × period / 20000 in the units of
    // CyclePeriods. The day is critical when a zero lies in (days − 1, days].
    const std::int64_t period = CyclePeriod(kind);
    const std::int64_t n = days;
    return FloorDiv(20000 * n, period) > FloorDiv(20000 * (n - 1), period);
}

std::vector<TDateTime> CriticalDays(TDateTime birth, CycleKind kind, TDateTime first,
                                    TDateTime last) {
    const auto b = DayNumber(birth);
    const auto f = DayNumber(first);
    const auto l = DayNumber(last);
    std::vector<TDateTime> days;
    if (!b || !f || !l)
        return days;
    for (std::int64_t d = std::max(*f, *b); d <= *l; ++d)
        if (IsCriticalDay(static_cast<std::int32_t>(d - *b), kind))
            days.push_back(static_cast<TDateTime>(d));
    return days;
}

std::vector<TDaySpan> UnfavourableDays(TDateTime birth, const std::vector<CycleKind>& cycles,
                                       TDateTime first, TDateTime last) {
    const auto b = DayNumber(birth);
    const auto f = DayNumber(first);
    const auto l = DayNumber(last);
    std::vector<TDaySpan> spans;
    if (!b || !f || !l || *l < *f)
        return spans;

    // The cycles critical on each day from first − 1 to last + 1.
    const std::int64_t origin = *f - 1;
    std::vector<TCycleSet> critical(static_cast<std::size_t>(*l - *f + 3));
    for (std::size_t i = 0; i < critical.size(); ++i) {
        const std::int64_t days = origin + static_cast<std::int64_t>(i) - *b;
        if (days < 0)
            continue;
        for (CycleKind kind : cycles)
            if (IsCriticalDay(static_cast<std::int32_t>(days), kind))
                critical[i].Set(kind, true);
    }

    TCycleSet spanCycles;
    for (std::size_t i = 1; i + 1 < critical.size(); ++i) {
        const TCycleSet near = critical[i - 1] | critical[i] | critical[i + 1];
        const bool unfavourable = critical[i].Count() > 0 && near.Count() >= 2;
        const auto day = static_cast<TDateTime>(origin + static_cast<std::int64_t>(i));
        if (!unfavourable) {
            spanCycles = {};
            continue;
        }
        if (spanCycles.Count() == 0)
            spans.push_back({day, day, {}});
        spanCycles = spanCycles | near;
        spans.back().Last = day;
        spans.back().Cycles = spanCycles.Kinds();
    }
    return spans;
}

long double CompatibilityPercent(std::int32_t daysApart, CycleKind kind) {
    // The phase difference reduced exactly in whole ten-thousandths of a day, so that a
    // difference of half a period gives cos(π) and not a value off by the rounding of d × 2π/p.
    const std::int64_t period = CyclePeriod(kind);
    const std::int64_t rest = ((std::int64_t{daysApart} * 10000) % period + period) % period;
    const long double phase = 2 * std::numbers::pi_v<long double> * static_cast<long double>(rest) /
                              static_cast<long double>(period);
    return 100.0L * (1.0L + std::cos(phase)) / 2.0L;
}

std::int32_t CompatibilityTenths(std::int32_t daysApart, CycleKind kind) {
    return static_cast<std::int32_t>(std::llround(CompatibilityPercent(daysApart, kind) * 10.0L));
}

TPersonFigures PersonFigures(TDateTime birth, TDateTime prognoseDate, TCycleSet cycles) {
    TPersonFigures figures;
    const auto b = DayNumber(birth);
    const auto p = DayNumber(prognoseDate);
    figures.Born = b && p && *p >= *b;
    figures.Window = ChartWindow(prognoseDate);
    const auto days = figures.Born ? static_cast<std::int32_t>(*p - *b) : 0;
    for (CycleKind kind : AllCycles) {
        TCycleFigures& cycle = figures.Cycles[static_cast<std::size_t>(kind)];
        cycle.Kind = kind;
        if (figures.Born) {
            cycle.PercentTenths = CyclePercentTenths(days, kind);
            cycle.Trend = CycleTrendOn(days, kind);
        }
        if (figures.Window)
            cycle.CriticalDays =
                CriticalDays(birth, kind, figures.Window->FirstDay, figures.Window->LastDay);
    }
    if (figures.Window)
        figures.Unfavourable = UnfavourableDays(birth, cycles.Kinds(), figures.Window->FirstDay,
                                                figures.Window->LastDay);
    return figures;
}

TPersonFigures PersonFigures(TDateTime birth, TDateTime prognoseDate) {
    return PersonFigures(birth, prognoseDate, DisplaySettings.Cycles());
}

TCompatibility CoupleCompatibility(TDateTime birth1, TDateTime birth2, TCycleSet cycles) {
    TCompatibility result;
    result.DaysApart = DaysBetween(birth1, birth2);
    long double sum = 0;
    int count = 0;
    for (CycleKind kind : AllCycles) {
        result.PercentTenths[static_cast<std::size_t>(kind)] =
            CompatibilityTenths(result.DaysApart, kind);
        if (cycles.Contains(kind)) {
            sum += CompatibilityPercent(result.DaysApart, kind);
            ++count;
        }
    }
    if (count > 0)
        result.MeanTenths = static_cast<std::int32_t>(std::llround(sum / count * 10.0L));
    return result;
}

TCompatibility CoupleCompatibility(TDateTime birth1, TDateTime birth2) {
    return CoupleCompatibility(birth1, birth2, DisplaySettings.Cycles());
}

std::string DecimalTenths(std::int32_t tenths, char separator) {
    const std::int64_t value = tenths;
    const std::int64_t magnitude = value < 0 ? -value : value;
    // Appended piece by piece: GCC 12 warns (wrongly, -Wrestrict) about a C string + a string.
    std::string text(value < 0 ? "-" : "");
    text += std::to_string(magnitude / 10);
    text += separator;
    text += std::to_string(magnitude % 10);
    return text;
}

std::string TenthsText(std::int32_t tenths) {
    return DecimalTenths(tenths, ',');
}
