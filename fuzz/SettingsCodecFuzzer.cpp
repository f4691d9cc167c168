// The integer and stored-date readers of the settings file, under fuzzed regional formats.
#include "base/SettingsCodec.h"
#include "fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void CheckInteger(const std::string& text) {
    const auto value = ReadProfileInteger(text);
    if (!value)
        return;
    // Whatever form was accepted, the value reads back from the form the program writes, and
    // from hexadecimal.
    FUZZ_CHECK(ReadProfileInteger(std::to_string(*value)) == value);
    const long long magnitude = std::llabs(static_cast<long long>(*value));
    char hex[32];
    std::snprintf(hex, sizeof hex, "%s$%llX", *value < 0 ? "-" : "", magnitude);
    FUZZ_CHECK(ReadProfileInteger(hex) == value);
}

// The decimal numbers in the text, as far as they fit a long.
std::vector<long> Numbers(const std::string& text) {
    std::vector<long> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        long value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            value = value < 100000000 ? value * 10 + (text[i] - '0') : value;
        numbers.push_back(value);
    }
    return numbers;
}

void CheckNamesTheDate(const std::string& text, const std::chrono::year_month_day& ymd) {
    const std::vector<long> numbers = Numbers(text);
    FUZZ_CHECK(numbers.size() == 2 || numbers.size() == 3);
    const auto has = [&](long value) {
        return std::find(numbers.begin(), numbers.end(), value) != numbers.end();
    };
    FUZZ_CHECK(has(static_cast<long>(unsigned{ymd.day()})));
    FUZZ_CHECK(has(static_cast<long>(unsigned{ymd.month()})));
    if (numbers.size() == 3) {
        const long year = int{ymd.year()};
        FUZZ_CHECK(has(year) || has(year % 100));
    }
}

void CheckDate(const std::string& text, const std::string& pattern, int currentYear) {
    const TShortDateFormat format = TShortDateFormat::FromPattern(pattern);
    for (char c : format.separator)
        FUZZ_CHECK(!IsAsciiLetter(c));
    const auto date = ReadStoredDate(text, format, currentYear);
    if (!date)
        return;
    // Only dates the pickers take, and they always read back from the program's own form.
    FUZZ_CHECK(*date != 0 && *date == std::trunc(*date));
    const auto ymd = DecodeDate(*date);
    FUZZ_CHECK(ymd && ymd->ok() && int{ymd->year()} >= 1601);
    // The text names that very calendar date: its numbers hold the day, the month and the last
    // digits of the year, none of them wrapped or carried into a neighbour.
    // (A separator with digits in it, which no region has, would blur where the numbers end.)
    if (format.separator.find_first_of("0123456789") == std::string::npos)
        CheckNamesTheDate(text, *ymd);
    const std::string stored = StoredDateText(*date);
    FUZZ_CHECK(stored.size() == 10);
    FUZZ_CHECK(ReadStoredDate(stored, TShortDateFormat::FromPattern("M/d/yy"), 2000) == date);
    FUZZ_CHECK(ReadStoredDate(stored, format, currentYear) == date);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int currentYear = input.ConsumeIntegralInRange(1, 9999);
    const std::string pattern = input.ConsumeRandomLengthString(16);
    const std::string text = input.ConsumeRemainingBytesAsString();
    CheckInteger(text);
    CheckDate(text, pattern, currentYear);
    return 0;
}
