#include "report/CoupleReport.h"

#include "report/ReportTexts.h"

#include <cmath>

namespace {

// As the detail report's trend: two values this close are equal.
constexpr long double TieTolerance = 1e-9L;

long double MeanValue(long double days, const std::vector<CycleKind>& cycles) {
    long double sum = 0;
    for (CycleKind kind : cycles)
        sum += 25.0L * std::sin(days * CycleFactor(kind));
    return sum / static_cast<long double>(cycles.size());
}

// Where the next day's mean equals today's, the curve's slope on the day decides, as it does
// for a single cycle.
CycleTrend MeanTrend(std::int32_t days, const std::vector<CycleKind>& cycles) {
    const auto n = static_cast<long double>(days);
    const long double today = MeanValue(n, cycles);
    const long double next = MeanValue(n + 1, cycles);
    if (std::fabs(next - today) > TieTolerance)
        return next > today ? CycleTrend::Rising : CycleTrend::Falling;
    long double slope = 0;
    for (CycleKind kind : cycles)
        slope += CycleFactor(kind) * std::cos(n * CycleFactor(kind));
    return slope > 0 ? CycleTrend::Rising : CycleTrend::Falling;
}

} // namespace

TDayReading ReadingOn(TDateTime birth, TDateTime day, const std::vector<CycleKind>& cycles) {
    TDayReading reading;
    reading.Day = day;
    reading.Born = DecodeDate(birth) && DecodeDate(day) && DateOf(day) >= DateOf(birth);
    if (!reading.Born)
        return reading;
    const auto days = static_cast<std::int32_t>(DateOf(day) - DateOf(birth));
    for (CycleKind kind : AllCycles) {
        const auto i = static_cast<std::size_t>(kind);
        reading.PercentTenths[i] = CyclePercentTenths(days, kind);
        reading.Trends[i] = CycleTrendOn(days, kind);
    }
    if (!cycles.empty()) {
        const long double mean = MeanValue(static_cast<long double>(days), cycles);
        reading.AverageTenths = static_cast<std::int32_t>(std::llround(mean * 40.0L));
        reading.AverageTrend = MeanTrend(days, cycles);
    }
    return reading;
}

std::optional<TReportSpan> ReportSpan(TDateTime date, std::optional<std::int32_t> days) {
    const auto ymd = DecodeDate(date);
    if (!ymd)
        return std::nullopt;
    const TDateTime day = DateOf(date);
    if (days) {
        if (*days < 1 || *days > MaxReportDays || !DecodeDate(day + *days - 1))
            return std::nullopt;
        return TReportSpan{day, *days};
    }
    if (const auto window = ChartWindow(day))
        return TReportSpan{window->FirstDay,
                           static_cast<std::int32_t>(window->LastDay - window->FirstDay) + 1};
    // December 9999 has no month after it: its own days only.
    const TDateTime first = *EncodeDate(int{ymd->year()}, unsigned{ymd->month()}, 1);
    return TReportSpan{
        first, static_cast<std::int32_t>(DaysInMonth(int{ymd->year()}, unsigned{ymd->month()}))};
}

TCoupleReport CoupleReport(const TBiorhythmPrognose& prognose, TReportSpan span) {
    TCoupleReport report;
    report.Date = prognose.PrognoseDate;
    report.Cycles = CyclesInUse();
    for (const bool man : {true, false}) {
        const TDatalogging& person = man ? prognose.Man : prognose.Woman;
        TPersonReport& out = report.Persons[man ? 0 : 1];
        out.Man = man;
        out.Birth = person.BirthDate;
        out.ZodiacSign = person.ZodiacSign;
        out.Element = ElementOf(static_cast<unsigned>(person.ZodiacSign));
        out.AgeYears = person.AgeYears;
        out.DaysLived = person.DaysLived;
        out.GoodDay = person.GoodDay;
        out.BadDay = person.BadDay;
        out.Days.reserve(static_cast<std::size_t>(span.Count));
        for (std::int32_t i = 0; i < span.Count; ++i)
            out.Days.push_back(ReadingOn(person.BirthDate, span.First + i, report.Cycles));
    }
    report.Compatibility = CoupleCompatibility(prognose.Man.BirthDate, prognose.Woman.BirthDate);
    return report;
}

std::string PercentText(std::int32_t tenths, bool withSign) {
    return (withSign && tenths > 0 ? "+" : "") + TenthsText(tenths) + "\u00A0%";
}

std::string JoinWithAnd(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? std::string(TxtAnd) : std::string(", ");
        text += items[i];
    }
    return text;
}

std::string CycleWords(const std::vector<CycleKind>& cycles) {
    std::vector<std::string> words;
    for (CycleKind kind : cycles)
        words.emplace_back(TxtCycleWords[static_cast<std::size_t>(kind)]);
    return JoinWithAnd(words) + " " +
           std::string(cycles.size() == 1 ? TxtCycleSingular : TxtCyclePlural);
}

std::string_view TrendWord(CycleTrend trend) {
    return trend == CycleTrend::Rising ? TxtRising : TxtFalling;
}

std::string ReadingText(const TDayReading& reading) {
    if (!reading.Born)
        return {};
    std::string text;
    const auto add = [&text](std::string_view name, std::int32_t tenths, CycleTrend trend) {
        if (!text.empty())
            text += ", ";
        text += std::string(name) + " " + PercentText(tenths, true) + " (" +
                std::string(TrendWord(trend)) + ")";
    };
    for (CycleKind kind : AllCycles) {
        const auto i = static_cast<std::size_t>(kind);
        add(TxtCycleWords[i], reading.PercentTenths[i], reading.Trends[i]);
    }
    if (reading.AverageTenths)
        add(TxtAverageWord, *reading.AverageTenths, reading.AverageTrend);
    return text;
}
