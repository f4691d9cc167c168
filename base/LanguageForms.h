#pragma once

#include "base/SettingsCodec.h"
#include "model/DateTime.h"

#include <cstdint>
#include <functional>
#include <string>

// Dates, counts and numbers in the language in use, for the layers without Qt (the chart
// read-out's figures, the calendar, the command line's report): the built-in Russian forms
// until the language layer installs its own.

struct TLanguageForms {
    // "5 января 2009 г."; empty for a value that is no date.
    std::function<std::string(TDateTime date)> LongDate;
    // "43 года", "1 день".
    std::function<std::string(std::int32_t number, bool days)> Count;
    // Tenths with one decimal: "12,5".
    std::function<std::string(std::int32_t tenths)> Decimal;
    // A whole number: "16055", "16,055".
    std::function<std::string(std::int32_t number)> Integer;
    // The order and separator of a numeric date: "07.12.2026", "07/12/2026".
    TShortDateFormat ShortDate;
};

// Replaces the forms; each member must be set.
void InstallLanguageForms(TLanguageForms forms);

std::string LongDateForm(TDateTime date);
std::string CountForm(std::int32_t number, bool days);
std::string DecimalForm(std::int32_t tenths);
std::string IntegerForm(std::int32_t number);
// A numeric date with a four-digit year, for a column of dates.
std::string ShortDateForm(TDateTime date);
// A found good or bad day: its long date, or "—" for none (0).
std::string FoundDayForm(TDateTime day);
