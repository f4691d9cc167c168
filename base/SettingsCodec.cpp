#include "base/SettingsCodec.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<int> Digits(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

namespace {

std::optional<TDateTime> PickerDate(int year, int month, int day) {
    if (year < 1601 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    const auto date = EncodeDate(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    if (!date || *date == 0)
        return std::nullopt;
    return date;
}

std::optional<TDateTime> OwnForm(std::string_view text) {
    // Exactly DD.MM.YYYY, as the program writes it.
    if (text.size() != 10 || text[2] != '.' || text[5] != '.')
        return std::nullopt;
    const auto day = Digits(text.substr(0, 2));
    const auto month = Digits(text.substr(3, 2));
    const auto year = Digits(text.substr(6, 4));
    if (!day || !month || !year)
        return std::nullopt;
    return PickerDate(*year, *month, *day);
}

int FullYear(int year, std::size_t digits, int currentYear) {
    if (digits > 2)
        return year;
    // The one year in the window [currentYear - 80, currentYear + 19] that ends in these digits.
    const int first = currentYear - 80;
    int full = first - first % 100 + year;
    if (full < first)
        full += 100;
    return full;
}

std::optional<TDateTime> RegionalForm(std::string_view text, const TShortDateFormat& format,
                                      int currentYear) {
    // Blanks before each number, numbers joined by the separator, one trailing separator and
    // trailing blanks allowed.
    const std::string_view sep = format.separator;
    if (sep.empty())
        return std::nullopt;
    std::vector<std::string_view> numbers;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    while (true) {
        skipBlanks();
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        if (i == start)
            return std::nullopt;
        numbers.push_back(text.substr(start, i - start));
        if (text.substr(i, sep.size()) != sep)
            break;
        i += sep.size();
        skipBlanks();
        if (i == text.size() || numbers.size() == 3)
            break;
    }
    skipBlanks();
    if (i != text.size() || numbers.size() < 2)
        return std::nullopt;

    std::array<std::optional<int>, 3> value{};
    for (std::size_t n = 0; n < numbers.size(); ++n)
        value[n] = Digits(numbers[n]);
    if (!value[0] || !value[1] || (numbers.size() == 3 && !value[2]))
        return std::nullopt;

    // Where day, month and year stand in the region's order.
    struct TPlaces {
        std::size_t day, month, year;
    };
    const TPlaces at = format.order == TShortDateFormat::DayMonthYear   ? TPlaces{0, 1, 2}
                       : format.order == TShortDateFormat::MonthDayYear ? TPlaces{1, 0, 2}
                                                                        : TPlaces{2, 1, 0};
    if (numbers.size() == 2) {
        // Day and month of the current year, in the region's order of the two.
        const std::size_t day = at.day < at.month ? 0 : 1;
        return PickerDate(currentYear, *value[1 - day], *value[day]);
    }
    return PickerDate(FullYear(*value[at.year], numbers[at.year].size(), currentYear),
                      *value[at.month], *value[at.day]);
}

} // namespace

std::optional<std::int32_t> ReadProfileInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    constexpr std::uint64_t maxPositive = std::numeric_limits<std::int32_t>::max();
    if (magnitude > maxPositive + (negative ? 1 : 0))
        return std::nullopt;
    const auto signedValue = static_cast<std::int64_t>(magnitude);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

TShortDateFormat TShortDateFormat::FromPattern(std::string_view pattern) {
    TShortDateFormat format;
    format.order = MonthDayYear;
    std::size_t i = 0;
    for (; i < pattern.size(); ++i) {
        const char c = static_cast<char>(pattern[i] | 0x20);
        if (c == 'd' || c == 'm' || c == 'y' || c == 'e') {
            format.order = c == 'd' ? DayMonthYear : c == 'm' ? MonthDayYear : YearMonthDay;
            break;
        }
    }
    // The separator follows the first field.
    while (i < pattern.size() && ((pattern[i] | 0x20) >= 'a' && (pattern[i] | 0x20) <= 'z'))
        ++i;
    const std::size_t start = i;
    while (i < pattern.size() && !((pattern[i] | 0x20) >= 'a' && (pattern[i] | 0x20) <= 'z'))
        ++i;
    format.separator = std::string(pattern.substr(start, i - start));
    return format;
}

std::string ShortDateText(TDateTime date, const TShortDateFormat& format) {
    const auto ymd = DecodeDate(date);
    if (!ymd)
        return {};
    std::array<char, 8> day{}, month{}, year{};
    std::snprintf(day.data(), day.size(), "%02u", unsigned{ymd->day()});
    std::snprintf(month.data(), month.size(), "%02u", unsigned{ymd->month()});
    std::snprintf(year.data(), year.size(), "%04d", int{ymd->year()});
    const auto join = [&format](const char* a, const char* b, const char* c) {
        std::string text(a);
        text += format.separator;
        text += b;
        text += format.separator;
        text += c;
        return text;
    };
    switch (format.order) {
    case TShortDateFormat::MonthDayYear:
        return join(month.data(), day.data(), year.data());
    case TShortDateFormat::YearMonthDay:
        return join(year.data(), month.data(), day.data());
    case TShortDateFormat::DayMonthYear:
        break;
    }
    return join(day.data(), month.data(), year.data());
}

std::string StoredDateText(TDateTime date) {
    return ShortDateText(date, {});
}

std::optional<TDateTime> ReadStoredDate(std::string_view text, const TShortDateFormat& regional,
                                        int currentYear) {
    if (const auto own = OwnForm(text))
        return own;
    return RegionalForm(text, regional, currentYear);
}

std::string SettingsFileName(std::string_view programFileName) {
    const auto dot = programFileName.rfind('.');
    if (dot == std::string_view::npos)
        return std::string(programFileName) + ".ini";
    const std::string_view extension = programFileName.substr(dot);
    const std::string_view stem = programFileName.substr(0, programFileName.find(extension));
    return std::string(stem) + ".ini";
}
