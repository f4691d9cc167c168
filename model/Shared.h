#pragma once

#include "model/Cycles.h"
#include "model/DateTime.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The span the charts cover: the prognosis month and the month after it.
// Derived from the prognosis date whenever needed, never stored.
struct TChartWindow {
    TDateTime FirstDay = 0;
    TDateTime LastDay = 0;
    unsigned FirstMonthDays = 0;
    unsigned SecondMonthDays = 0;

    // Position of a day: 1 for the first day of the prognosis month.
    std::int64_t Position(TDateTime day) const;
};

// Nothing when the window cannot be formed (an invalid date, or December 9999).
std::optional<TChartWindow> ChartWindow(TDateTime prognoseDate);

// One person's record: date of birth, colour and what the last update found.
class TDatalogging {
public:
    std::int32_t AgeYears = 0;
    std::int32_t DaysLived = 0;
    std::int32_t ZodiacSign = 0;
    TColor Color = clBlack;
    TDateTime GoodDay = 0;
    long double GoodDayValue = 0;
    TDateTime BirthDate = 0;
    TDateTime BadDay = 0;
    long double BadDayValue = 0;

    void SetColor(TColor color) { Color = color; }
    void SetBirthDate(TDateTime date) { BirthDate = date; }

    // Age, days lived and zodiac sign on `date`, then the nearest good and bad day from the day
    // before `date` to the end of `window` over `cycles`, read from `values` where it has them;
    // without a window the days found before stay as they were.
    void UpdatePerson(TDateTime date, const std::optional<TChartWindow>& window, TCycleSet cycles,
                      const TCycleTable& values = {});
    void FindGoodAndBadDays(TDateTime date, const TChartWindow& window, TCycleSet cycles,
                            const TCycleTable& values = {});
    // The table of the person's days of life from the day before `window` (or birth) to its
    // last day: every day a refresh's curves and search ask for.
    TCycleTable ValuesOver(const TChartWindow& window) const;
    // Sum of `cycles` on a day, in the order of CycleKind.
    long double DailySum(TDateTime day, TCycleSet cycles) const;

    // The same over the chart window of Prognose and the cycles in use in DisplaySettings.
    void UpdatePerson(TDateTime date);
    void FindGoodAndBadDays(TDateTime date);
    long double DailySum(TDateTime day) const;
};

// A good day (a strict peak of the sum of the cycles in use) or a bad day (a strict trough):
// equal neighbouring sums make neither.
struct TTurningDay {
    TDateTime Day = 0;
    bool Good = false;
    long double Sum = 0;

    bool operator==(const TTurningDay&) const = default;
};

// Visits the good and bad days from `first` to `last` of a person born on `birth`, in the order
// of days, until `visit` returns false: each day's sum of `cycles` compared with the sums of the
// day before and after it (which may lie outside the span), a day counted only when the day
// before it is lived. None when a date is no date of years 1..9999.
void ForEachTurningDay(TDateTime birth, TCycleSet cycles, TDateTime first, TDateTime last,
                       const std::function<bool(const TTurningDay&)>& visit,
                       const TCycleTable& values = {});

class TBiorhythmPrognose {
public:
    TBiorhythmPrognose();
    virtual ~TBiorhythmPrognose() = default;

    TDateTime PrognoseDate = 0;
    TDatalogging Man;
    TDatalogging Woman;

    void SetPrognoseDate(TDateTime date) { PrognoseDate = date; }
    // Both persons on PrognoseDate over its chart window and the cycles in use in
    // DisplaySettings, from each person's table of values over that window.
    void UpdateAll(const TCycleTable& man, const TCycleTable& woman);
    void UpdateAll();
};

extern TBiorhythmPrognose Prognose;

// A couple as the report, the calendar and the read-out take it: the two dates of birth, and the
// name of a stored couple (UTF-8; empty for none).
struct TCouple {
    TDateTime ManBirth = 0;
    TDateTime WomanBirth = 0;
    std::string Name = {};

    TDateTime Birth(bool man) const { return man ? ManBirth : WomanBirth; }
};

// A day good for both (each person's mean of the cycles in use above zero and the sum of the
// two means a strict peak) or hard for both (both means below zero, the sum a strict trough).
struct TCoupleDay {
    TDateTime Day = 0;
    bool Good = false;

    bool operator==(const TCoupleDay&) const = default;
};

// The days good or hard for both from `first` to `last`, by the means of `cycles` as the
// average chart draws them, in 80 bits; the neighbouring days may lie outside the span, and a
// day counts only when both were born by the day before it. None without a cycle in use, or
// when a date is no date of years 1..9999.
std::vector<TCoupleDay> CoupleDays(const TCouple& couple, TCycleSet cycles, TDateTime first,
                                   TDateTime last);

// The couple of a prognosis.
inline TCouple CoupleOf(const TBiorhythmPrognose& prognose) {
    return {prognose.Man.BirthDate, prognose.Woman.BirthDate};
}

// Gives the man's (true) or the woman's record of Prognose its colour: what the display settings
// hand over when a colour is chosen or restored (TDisplaySettings::SetColorHandover).
void SetPersonColor(bool man, TColor color);

// Zodiac sign 1..12 of a day and month of birth; 0 for a month outside 1..12.
std::int32_t ZodiacSignOf(std::int32_t day, unsigned month);

// Element 1..4 (earth, water, fire, air) of a sign; 0 for a sign outside 1..12.
std::int32_t ElementOf(unsigned sign);

// A count followed by the Russian word for days or years in the form the count needs,
// e.g. "21 день", "3 года", "12 лет" (UTF-8).
std::string CountWithWord(std::int32_t number, bool days);

// A table of names indexed from 1; any other index reads as the empty text.
template <std::size_t N> class TNameTable {
public:
    static constexpr int Count = static_cast<int>(N);

    const std::string& operator[](int n) const {
        static const std::string empty;
        return n >= 1 && n <= Count ? names_[static_cast<std::size_t>(n - 1)] : empty;
    }
    void Set(int n, std::string text) {
        if (n >= 1 && n <= Count)
            names_[static_cast<std::size_t>(n - 1)] = std::move(text);
    }
    void Clear() { names_ = {}; }

private:
    std::array<std::string, N> names_{};
};

// The vocabulary tables, empty until a vocabulary is installed.
extern TNameTable<12> MonthNames;
extern TNameTable<12> ZodiacNames;
extern TNameTable<4> ElementNames;
