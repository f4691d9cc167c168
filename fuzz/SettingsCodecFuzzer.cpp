// The integer and stored-date readers of the settings file, under fuzzed regional formats.
#include "fuzz/FuzzCheck.h"
#include "main/SettingsCodec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <string>

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
    FUZZ_CHECK(ymd && int{ymd->year()} >= 1601);
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
