#pragma once

#include "model/Shared.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A person's critical, especially unfavourable, good and bad days as all-day events of an
// iCalendar file, for the user's own calendar program.

struct TCalendarEvent {
    // Made of the kind of day, the person, the date of birth and the day: exporting again after
    // a change of dates or settings replaces the events it makes again instead of adding them.
    std::string Uid;
    TDateTime First = 0;
    TDateTime Last = 0;
    std::string Summary;
    std::string Description;
};

struct TCalendarSpan {
    TDateTime First = 0;
    TDateTime Last = 0;
};

// How many months after the charted ones an export covers unless the user chooses otherwise.
inline constexpr int DefaultMonthsAfter = 12;
inline constexpr int MaxMonthsAfter = 120;

// The charted months of the prognosis date and `monthsAfter` months after them, cut at the end
// of year 9999; nothing when the date is no date of years 1..9999 or `monthsAfter` is outside
// 0..MaxMonthsAfter.
std::optional<TCalendarSpan> CalendarSpan(TDateTime prognoseDate, int monthsAfter);

// The person's events from `first` to `last`, by day:
// - a critical day of any of the four cycles, one event a day naming the cycles;
// - a run of especially unfavourable days of the cycles in use, one event over the run;
// - a good day (a strict peak of the sum of the cycles in use, as the nearest good day) and a
//   bad day (a strict trough).
std::vector<TCalendarEvent> PersonEvents(TDateTime birth, bool man, TDateTime first, TDateTime last,
                                         TCycleSet cycles);

// The events of the persons shown, as PersonEvents gives them, man first; with both shown, then
// the days good and hard for both (CoupleDays), each named by both dates of birth and the day.
// A named couple's name ends every description.
std::vector<TCalendarEvent> CalendarEvents(const TCouple& couple, int displayMode,
                                           TCalendarSpan span, TCycleSet cycles);

// An iCalendar object (RFC 5545): CRLF line ends, lines folded at 75 bytes between characters,
// text escaped; `stamp` is the DTSTAMP of every event; the calendar's name shows the couple's.
std::string CalendarText(const std::vector<TCalendarEvent>& events, std::chrono::sys_seconds stamp,
                         const std::string& coupleName = {});

// The calendar file of the persons a display mode shows, over the charted months of
// `prognoseDate` and `monthsAfter` months after them; without events when those months do not
// exist.
std::string CalendarFile(const TCouple& couple, TDateTime prognoseDate, int monthsAfter,
                         int displayMode, TCycleSet cycles, std::chrono::sys_seconds stamp);

// The clock in whole seconds, for the calendar's stamp: the system clock's own nanoseconds run
// out in the year 2262.
std::chrono::sys_seconds NowInWholeSeconds();
