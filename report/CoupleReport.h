#pragma once

#include "model/Report.h"
#include "model/Shared.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The figures of the chart read-out and of the command line's report: a person's cycles day by
// day, computed as the detail report computes them.

// A person's cycles on one day.
struct TDayReading {
    TDateTime Day = 0;
    // The day is a date of years 1..9999 on or after the day of birth: only then do the cycles
    // have values.
    bool Born = false;
    std::array<std::int32_t, 4> PercentTenths{};
    std::array<CycleTrend, 4> Trends{};
    // The mean of the cycles in use, as the average chart draws it; nothing when none is in use.
    std::optional<std::int32_t> AverageTenths;
    CycleTrend AverageTrend = CycleTrend::Rising;
};

TDayReading ReadingOn(TDateTime birth, TDateTime day, TCycleSet cycles);

// The days a report covers.
struct TReportSpan {
    TDateTime First = 0;
    std::int32_t Count = 0;
};

inline constexpr std::int32_t MaxReportDays = 36525;

// `days` days from the date, or without them the charted months; nothing when the date is no
// date of years 1..9999, `days` is outside 1..MaxReportDays, or the days or the charted months
// run past 31 December 9999 (a date in its December has no month after it).
std::optional<TReportSpan> ReportSpan(TDateTime date, std::optional<std::int32_t> days);

struct TPersonReport {
    bool Man = true;
    TDateTime Birth = 0;
    std::int32_t ZodiacSign = 0;
    std::int32_t Element = 0;
    std::int32_t AgeYears = 0;
    std::int32_t DaysLived = 0;
    // 0 when none was found.
    TDateTime GoodDay = 0;
    TDateTime BadDay = 0;
    std::vector<TDayReading> Days;
};

struct TCoupleReport {
    TDateTime Date = 0;
    std::vector<CycleKind> Cycles;
    // The man, then the woman.
    std::array<TPersonReport, 2> Persons;
    TCompatibility Compatibility;
    std::string Name; // the couple's, UTF-8; empty for none
    // The days good or hard for both within the span.
    std::vector<TCoupleDay> BothDays;
};

// The couple's report on the prognosis `date` over `span`, with the averages, good and bad days
// and mean compatibility of `cycles`.
TCoupleReport CoupleReport(const TCouple& couple, TDateTime date, TReportSpan span,
                           TCycleSet cycles);

// Tenths of a percent as the detail report writes them: "+23,5 %", "-12,0 %", "0,0 %", with a
// no-break space before the sign; the plus only when `withSign`.
std::string PercentText(std::int32_t tenths, bool withSign);

// The words of the language in use: "Мужчина" or "Женщина"; a cycle as a label
// ("Физический") and as a word in a sentence ("физический").
const std::string& PersonName(bool man);
const std::string& CycleName(CycleKind kind);
const std::string& CycleWord(CycleKind kind);

// The caption with the name of a stored couple after it; the caption alone for no name.
std::string Titled(std::string caption, const std::string& name);

// "Хорошие дни для обоих" or "Трудные дни для обоих"; the long dates of `days` of that kind,
// comma-separated, or the word for none.
const std::string& BothDaysLabel(bool good);
std::string BothDaysText(const std::vector<TCoupleDay>& days, bool good);

// "a", "a и b", "a, b и c".
std::string JoinWithAnd(const std::vector<std::string>& items);

// The cycles as words in a sentence: "физический цикл", "физический и сердечный циклы".
std::string CycleWords(const std::vector<CycleKind>& cycles);

// "физический +23,5 % (убывает), ..., среднее +1,2 % (растёт)"; empty before birth.
std::string ReadingText(const TDayReading& reading);

std::string_view TrendWord(CycleTrend trend);

// The persons the charts show in a display mode: the man, the woman, both or none.
std::vector<bool> ShownPersons(int displayMode);

// Stands for the person's name in a line of the chart read-out, for the window to put it in.
inline constexpr char ReadoutNameMark[] = "\x01";

struct TReadoutLine {
    bool Man = true;
    std::string Text; // the name as ReadoutNameMark; a line on the couple names nobody
};

// The chart read-out on a day for each person a display mode shows: the value and direction of
// the cycle of chart 0..3, or of the average of `cycles` (chart 4), or why there is none. With
// both shown, a day good or hard for both says so in a last line.
std::vector<TReadoutLine> ReadoutLines(const TCouple& couple, TDateTime day, int chart,
                                       TCycleSet cycles, int displayMode);
