#pragma once

#include "model/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Integers, flags and colours as the settings file holds them: decimal with an optional sign, or
// hexadecimal after "$", "0x" or "0X". Any other text, or a number outside the signed 32-bit
// range, is no integer.
std::optional<std::int32_t> ReadProfileInteger(std::string_view text);

// The order and separator of the regional short date format.
struct TShortDateFormat {
    enum Order { DayMonthYear, MonthDayYear, YearMonthDay } order = DayMonthYear;
    std::string separator = ".";

    // From a date pattern such as "dd.MM.yyyy" or "M/d/yy": the first of the letters d, m, y (or
    // e, an era year) decides the order, the first character after that field the separator.
    static TShortDateFormat FromPattern(std::string_view pattern);
};

// A run of decimal digits (no sign, no blank) as a number; nothing when empty or too large for
// any date.
std::optional<int> Digits(std::string_view text);

// A date in the order and with the separator of a short date format, day and month in two
// digits and the year in four: "23.12.1982", "12/23/1982"; empty for a value that is no date.
std::string ShortDateText(TDateTime date, const TShortDateFormat& format);
// The program's own form of a stored date: "DD.MM.YYYY" (23.12.1982).
std::string StoredDateText(TDateTime date);

// A stored date of birth: the program's own DD.MM.YYYY first, so a file the program wrote always
// reads back; otherwise the regional short form, in which a one- or two-digit year falls within
// the 80 years before and the 19 years after currentYear, and two numbers alone are a date of
// currentYear. Nothing when the text fits neither, or when the date is one the date pickers
// refuse: before 1601, or the zero date 30.12.1899.
std::optional<TDateTime> ReadStoredDate(std::string_view text, const TShortDateFormat& regional,
                                        int currentYear);

// The settings file's name for a program file name: its stem (the name up to the first place
// where the extension occurs in it) and ".ini", so "Prog.exe" uses "Prog.ini" and
// "tool.exe.bak.exe" uses "tool.ini". A name without an extension is all stem: "orvanta" uses
// "orvanta.ini" rather than a hidden ".ini" shared by every such program in the folder.
std::string SettingsFileName(std::string_view programFileName);
