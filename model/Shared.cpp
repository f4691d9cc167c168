#include "model/Shared.h"

#include "model/DisplaySettings.h"

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
    const auto last = EncodeDate(nextYear, nextMonth, nextDays);
    if (!first || !last)
        return std::nullopt;
    return TChartWindow{*first, *last, DaysInMonth(y, m), nextDays};
}

TBiorhythmPrognose::TBiorhythmPrognose() {
    Man.SetColor(clBlue);
    Woman.SetColor(clRed);
}

void TBiorhythmPrognose::UpdateAll() {
    const auto window = ChartWindow(PrognoseDate);
    const TCycleSet cycles = DisplaySettings.Cycles();
    Man.UpdatePerson(PrognoseDate, window, cycles);
    Woman.UpdatePerson(PrognoseDate, window, cycles);
}

void TDatalogging::UpdatePerson(TDateTime date, const std::optional<TChartWindow>& window,
                                TCycleSet cycles) {
    const auto birth = DecodeDate(BirthDate);
    ZodiacSign = birth ? ZodiacSignOf(static_cast<std::int32_t>(unsigned{birth->day()}),
                                      unsigned{birth->month()})
                       : 0;
    AgeYears = YearsBetween(BirthDate, date);
    DaysLived = DaysBetween(BirthDate, date);
    if (date < BirthDate)
        DaysLived = -DaysLived;
    if (window)
        FindGoodAndBadDays(date, *window, cycles);
}

void TDatalogging::UpdatePerson(TDateTime date) {
    UpdatePerson(date, ChartWindow(Prognose.PrognoseDate), DisplaySettings.Cycles());
}

long double TDatalogging::DailySum(TDateTime day, TCycleSet cycles) const {
    const std::int32_t n = DaysBetween(day, BirthDate);
    long double sum = 0;
    for (CycleKind kind : AllCycles)
        if (cycles.Contains(kind))
            sum += CycleValue(n, CycleFactor(kind));
    return sum;
}

long double TDatalogging::DailySum(TDateTime day) const {
    return DailySum(day, DisplaySettings.Cycles());
}

void TDatalogging::FindGoodAndBadDays(TDateTime date) {
    if (const auto window = ChartWindow(Prognose.PrognoseDate))
        FindGoodAndBadDays(date, *window, DisplaySettings.Cycles());
}

void TDatalogging::FindGoodAndBadDays(TDateTime date, const TChartWindow& window,
                                      TCycleSet cycles) {
    // A scan from or to a date outside the calendar could not end in reasonable time.
    if (!DecodeDate(date) || !DecodeDate(BirthDate) || !DecodeDate(window.LastDay))
        return;

    TDateTime d = std::max(date - 1, BirthDate);
    long double p1 = 0;
    long double p2 = 0;
    bool first = true;
    do {
        const long double s = DailySum(d, cycles);
        if (first) {
            GoodDayValue = s;
            BadDayValue = s;
            GoodDay = 0;
            BadDay = 0;
            p1 = s;
            p2 = s;
            first = false;
        }
        if (BadDay > 0 && GoodDay > 0)
            break;
        if (p1 > p2 && s < p1 && GoodDay == 0) {
            GoodDayValue = p1;
            GoodDay = d - 1;
        }
        if (p1 < p2 && s > p1 && BadDay == 0) {
            BadDayValue = p1;
            BadDay = d - 1;
        }
        p2 = p1;
        p1 = s;
        d += 1;
    } while (d < window.LastDay);
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
