#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

// A date-time as days since 30 December 1899, the time of day as the fraction.
// The program works in whole days; calendar arithmetic is proleptic Gregorian.
using TDateTime = double;

// A colour as 0x00BBGGRR.
using TColor = std::uint32_t;

inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlack = 0x000000;

inline constexpr int MinYear = 1;
inline constexpr int MaxYear = 9999;

// A calendar date in years 1..9999, or nothing.
std::optional<std::chrono::year_month_day> DecodeDate(TDateTime date);

// The date value of a calendar date; nothing when it is not a valid date in years 1..9999.
std::optional<TDateTime> EncodeDate(int year, unsigned month, unsigned day);
TDateTime EncodeDate(std::chrono::year_month_day date);

// The date with its time of day cut off. The fraction is the time of day also for dates
// before 1899 (-1.25 is 29 December 1899, 6:00), so the cut is towards zero.
TDateTime DateOf(TDateTime date);

// Whole days between two dates: the absolute difference, truncated.
std::int32_t DaysBetween(TDateTime a, TDateTime b);

// Whole years between two dates: the absolute difference / 365.25, truncated.
std::int32_t YearsBetween(TDateTime a, TDateTime b);

// Number of days of a month; 0 when the month is not 1..12.
unsigned DaysInMonth(int year, unsigned month);
