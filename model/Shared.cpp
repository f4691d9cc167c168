#include "model/Shared.h"

#include "model/DisplaySettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// Defined in this order so that process end releases Prognose first, then the tables
// (elements, signs, months).
TNameTable<12> MonthNames;
TNameTable<12> ZodiacNames;
TNameTable<4> ElementNames;
TBiorhythmPrognose Prognose;

void SetPersonColor(bool man, TColor color) {
    (man ? Prognose.Man : Prognose.Woman).SetColor(color);
}

long double CycleValue(std::int32_t days, long double factor) {
    return 25.0L * std::sin(static_cast<long double>(days) * factor);
}

TCycleValues CycleValues(std::int32_t days) {
    TCycleValues values{};
    for (CycleKind kind : AllCycles)
        values[static_cast<std::size_t>(kind)] = CycleValue(days, CycleFactor(kind));
    return values;
}

long double SumOf(const TCycleValues& values, TCycleSet cycles) {
    long double sum = 0;
    for (CycleKind kind : AllCycles)
        if (cycles.Contains(kind))
            sum += values[static_cast<std::size_t>(kind)];
    return sum;
}

long double MeanOf(const TCycleValues& values, TCycleSet cycles) {
    const int count = cycles.Count();
    return count > 0 ? SumOf(values, cycles) / count : 0;
}

namespace {

TCycleValues ValuesInUse(std::int32_t days, TCycleSet cycles) {
    TCycleValues values{};
    for (CycleKind kind : AllCycles)
        if (cycles.Contains(kind))
            values[static_cast<std::size_t>(kind)] = CycleValue(days, CycleFactor(kind));
    return values;
}

} // namespace

long double CycleSum(std::int32_t days, TCycleSet cycles) {
    return SumOf(ValuesInUse(days, cycles), cycles);
}

long double CycleMean(std::int32_t days, TCycleSet cycles) {
    return MeanOf(ValuesInUse(days, cycles), cycles);
}

TCycleTable::TCycleTable(std::int32_t first, std::int32_t last) : first_(first) {
    const std::int64_t days = std::int64_t{last} - first + 1;
    if (days > 0 && days <= 366)
        for (std::int32_t n = first; n <= last; ++n)
            values_.push_back(CycleValues(n));
}

const TCycleValues* TCycleTable::Values(std::int32_t days) const {
    const std::int64_t i = std::int64_t{days} - first_;
    return i >= 0 && i < std::ssize(values_) ? &values_[static_cast<std::size_t>(i)] : nullptr;
}

long double TCycleTable::Value(std::int32_t days, CycleKind kind) const {
    const TCycleValues* values = Values(days);
    return values ? (*values)[static_cast<std::size_t>(kind)] : CycleValue(days, CycleFactor(kind));
}

long double TCycleTable::Sum(std::int32_t days, TCycleSet cycles) const {
    const TCycleValues* values = Values(days);
    return values ? SumOf(*values, cycles) : CycleSum(days, cycles);
}

long double TCycleTable::Mean(std::int32_t days, TCycleSet cycles) const {
    const TCycleValues* values = Values(days);
    return values ? MeanOf(*values, cycles) : CycleMean(days, cycles);
}

std::int64_t TChartWindow::Position(TDateTime day) const {
    return static_cast<std::int64_t>(std::trunc(day - FirstDay)) + 1;
}

std::optional<TChartWindow> ChartWindow(TDateTime prognoseDate) {
    using namespace std::chrono;
    const auto date = DecodeDate(prognoseDate);
    if (!date)
        return std::nullopt;
    const int y = static_cast<int>(date->year());
    const unsigned m = static_cast<unsigned>(date->month());
    const int nextYear = m == 12 ? y + 1 : y;
    const unsigned nextMonth = m == 12 ? 1 : m + 1;
    const unsigned nextDays = DaysInMonth(nextYear, nextMonth);
    const auto first = EncodeDate(y, m, 1);
    const auto lastDay = EncodeDate(nextYear, nextMonth, nextDays);
    if (!first || !lastDay)
        return std::nullopt;
    return TChartWindow{*first, *lastDay, DaysInMonth(y, m), nextDays};
}

TBiorhythmPrognose::TBiorhythmPrognose() {
    Man.SetColor(clBlue);
    Woman.SetColor(clRed);
}

void TBiorhythmPrognose::UpdateAll(const TCycleTable& man, const TCycleTable& woman) {
    const auto window = ChartWindow(PrognoseDate);
    const TCycleSet cycles = DisplaySettings.Cycles();
    Man.UpdatePerson(PrognoseDate, window, cycles, man);
    Woman.UpdatePerson(PrognoseDate, window, cycles, woman);
}

void TBiorhythmPrognose::UpdateAll() {
    const auto window = ChartWindow(PrognoseDate);
    UpdateAll(window ? Man.ValuesOver(*window) : TCycleTable(),
              window ? Woman.ValuesOver(*window) : TCycleTable());
}

TCycleTable TDatalogging::ValuesOver(const TChartWindow& window) const {
    if (!(BirthDate <= window.LastDay))
        return {};
    return {DaysBetween(std::max(window.FirstDay - 1, BirthDate), BirthDate),
            DaysBetween(window.LastDay, BirthDate)};
}

void TDatalogging::UpdatePerson(TDateTime date, const std::optional<TChartWindow>& window,
                                TCycleSet cycles, const TCycleTable& values) {
    const auto birth = DecodeDate(BirthDate);
    ZodiacSign = birth ? ZodiacSignOf(static_cast<std::int32_t>(unsigned{birth->day()}),
                                      unsigned{birth->month()})
                       : 0;
    AgeYears = YearsBetween(BirthDate, date);
    DaysLived = DaysBetween(BirthDate, date);
    if (date < BirthDate)
        DaysLived = -DaysLived;
    if (window)
        FindGoodAndBadDays(date, *window, cycles, values);
}

void TDatalogging::UpdatePerson(TDateTime date) {
    UpdatePerson(date, ChartWindow(Prognose.PrognoseDate), DisplaySettings.Cycles());
}

long double TDatalogging::DailySum(TDateTime day, TCycleSet cycles) const {
    return CycleSum(DaysBetween(day, BirthDate), cycles);
}

long double TDatalogging::DailySum(TDateTime day) const {
    return DailySum(day, DisplaySettings.Cycles());
}

void TDatalogging::FindGoodAndBadDays(TDateTime date) {
    if (const auto window = ChartWindow(Prognose.PrognoseDate))
        FindGoodAndBadDays(date, *window, DisplaySettings.Cycles());
}

void TDatalogging::FindGoodAndBadDays(TDateTime date, const TChartWindow& window, TCycleSet cycles,
                                      const TCycleTable& values) {
    // A scan from or to a date outside the calendar could not end in reasonable time.
    if (!DecodeDate(date) || !DecodeDate(BirthDate) || !DecodeDate(window.LastDay))
        return;

    // From the day before the prognosis date (or birth) up to the day before the window's last:
    // the candidates lie one day inside those bounds.
    const TDateTime from = std::max(date - 1, BirthDate);
    GoodDay = 0;
    BadDay = 0;
    GoodDayValue = BadDayValue = values.Sum(DaysBetween(from, BirthDate), cycles);
    // A day found on the date 0 counts as none found, as the date 0 stands for no day.
    ForEachTurningDay(
        BirthDate, cycles, from + 1, window.LastDay - 2,
        [this](const TTurningDay& turn) {
            if (turn.Good && GoodDay == 0) {
                GoodDay = turn.Day;
                GoodDayValue = turn.Sum;
            } else if (!turn.Good && BadDay == 0) {
                BadDay = turn.Day;
                BadDayValue = turn.Sum;
            }
            return !(BadDay > 0 && GoodDay > 0);
        },
        values);
}

void ForEachTurningDay(TDateTime birth, TCycleSet cycles, TDateTime first, TDateTime last,
                       const std::function<bool(const TTurningDay&)>& visit,
                       const TCycleTable& values) {
    if (!DecodeDate(birth) || !DecodeDate(first) || !DecodeDate(last))
        return;
    // A day counts only when the day before it is lived.
    const TDateTime from = std::max(first, birth + 1);
    const auto sum = [&](TDateTime day) { return values.Sum(DaysBetween(day, birth), cycles); };
    long double before = sum(from - 1);
    long double today = sum(from);
    for (TDateTime day = from; day <= last; day += 1) {
        const long double after = sum(day + 1);
        const bool peak = today > before && today > after;
        if ((peak || (today < before && today < after)) && !visit({day, peak, today}))
            return;
        before = today;
        today = after;
    }
}

std::vector<TCoupleDay> CoupleDays(const TCouple& couple, TCycleSet cycles, TDateTime first,
                                   TDateTime last) {
    std::vector<TCoupleDay> days;
    if (cycles.Count() == 0 || !DecodeDate(couple.ManBirth) || !DecodeDate(couple.WomanBirth) ||
        !DecodeDate(first) || !DecodeDate(last))
        return days;
    struct TMeans {
        long double Man;
        long double Woman;
        long double Sum() const { return Man + Woman; }
    };
    const auto on = [&](TDateTime day) {
        return TMeans{CycleMean(DaysBetween(day, couple.ManBirth), cycles),
                      CycleMean(DaysBetween(day, couple.WomanBirth), cycles)};
    };
    const TDateTime from = std::max({first, couple.ManBirth + 1, couple.WomanBirth + 1});
    TMeans before = on(from - 1);
    TMeans today = on(from);
    for (TDateTime day = from; day <= last; day += 1) {
        const TMeans after = on(day + 1);
        const long double sum = today.Sum();
        if (today.Man > 0 && today.Woman > 0 && sum > before.Sum() && sum > after.Sum())
            days.push_back({day, true});
        else if (today.Man < 0 && today.Woman < 0 && sum < before.Sum() && sum < after.Sum())
            days.push_back({day, false});
        before = today;
        today = after;
    }
    return days;
}

std::int32_t ZodiacSignOf(std::int32_t day, unsigned month) {
    struct Boundary {
        std::int32_t day;
        std::int32_t before;
        std::int32_t from;
    };
    static constexpr std::array<Boundary, 12> boundaries{{{21, 10, 11},
                                                          {20, 11, 12},
                                                          {21, 12, 1},
                                                          {21, 1, 2},
                                                          {22, 2, 3},
                                                          {22, 3, 4},
                                                          {23, 4, 5},
                                                          {24, 5, 6},
                                                          {24, 6, 7},
                                                          {23, 7, 8},
                                                          {23, 8, 9},
                                                          {22, 9, 10}}};
    if (month < 1 || month > 12)
        return 0;
    const Boundary& b = boundaries[month - 1];
    return day >= b.day ? b.from : b.before;
}

std::int32_t ElementOf(unsigned sign) {
    if (sign < 1 || sign > 12)
        return 0;
    static constexpr std::array<std::int32_t, 4> byRemainder{2, 3, 1, 4};
    return byRemainder[sign % 4];
}

std::string CountWithWord(std::int32_t number, bool days) {
    static constexpr const char* dayWords[] = {"день", "дня", "дней"};
    static constexpr const char* yearWords[] = {"год", "года", "лет"};
    enum Form { One, Few, Many };

    // A negative count takes the form of its absolute value: "-1 день", "-5 дней".
    const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(number));
    const std::int64_t r = magnitude < 100 ? magnitude : magnitude % 100;
    const auto byLastDigit = [](std::int64_t n) {
        const std::int64_t last = n % 10;
        return last == 1 ? One : (last >= 2 && last <= 4) ? Few : Many;
    };
    Form form = Many;
    if (r == 1)
        form = One;
    else if (r >= 2 && r <= 4)
        form = Few;
    else if (r >= 21)
        form = byLastDigit(magnitude);

    return std::to_string(number) + " " + (days ? dayWords : yearWords)[form];
}
