#pragma once

#include "model/DateTime.h"

#include <array>
#include <string>
#include <string_view>

// The built-in Russian vocabulary.
inline constexpr std::string_view BuiltInMainCaption = "Орванта %s";
inline constexpr std::string_view BuiltInApplicationTitle = "Орванта";
inline constexpr std::string_view BuiltInChartCaption = "Графики биоритмов для %s и %s";

extern const std::array<std::string_view, 12> BuiltInMonthNames;
extern const std::array<std::string_view, 12> BuiltInZodiacNames;
extern const std::array<std::string_view, 4> BuiltInElementNames;

// Replaces MonthNames, ZodiacNames and ElementNames whole with the built-in names.
void InstallBuiltInNames();

// A date as "d mmmm yyyy г." with the current MonthNames ("5 января 2009 г."); empty for a value
// that is no date of years 1..9999.
std::string LongDateText(TDateTime date);
