#pragma once

#include "base/Couples.h"
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

// For spreadsheets: one row a day, the date, each person's four cycles and average, and whether
// the day is good and hard for both (1 or 0).
std::string ReportCsv(const TCoupleReport& report);

// The stored couples in their order: a line each with the name and both dates of birth, or a
// line that there are none; for programs, an array of objects with "name", "man" and "woman".
std::string CouplesText(const std::vector<TStoredCouple>& couples);
std::string CouplesJson(const std::vector<TStoredCouple>& couples);
