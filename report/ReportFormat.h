#pragma once

#include "report/CoupleReport.h"

#include <optional>
#include <string>
#include <string_view>

// The command line's report as text, JSON or CSV (UTF-8). The names of signs, elements and
// months come from the vocabulary tables.

// A number with leading zeros to `width` digits: 7, 2 gives "07".
std::string ZeroPadded(int value, std::size_t width);

// "2009-01-05"; empty for a value that is no date of years 1..9999.
std::string IsoDate(TDateTime date);

// Exactly "YYYY-MM-DD", a date of years 1..9999; nothing for anything else.
std::optional<TDateTime> ParseIsoDate(std::string_view text);

// For people: the persons' figures, a table of the days and the couple's compatibility.
std::string ReportText(const TCoupleReport& report);

// For programs: the same with stable English keys, dates as "YYYY-MM-DD", percentages as numbers
// with one decimal, null for what has no value (a day before birth, no cycle in use, no good or
// bad day found).
std::string ReportJson(const TCoupleReport& report);

// For spreadsheets: one row a day, the date and each person's four cycles and average.
std::string ReportCsv(const TCoupleReport& report);
