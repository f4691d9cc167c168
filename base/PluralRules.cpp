#include "base/PluralRules.h"

#include <array>

namespace {

bool In(std::string_view language, std::initializer_list<std::string_view> languages) {
    for (std::string_view one : languages)
        if (language == one)
            return true;
    return false;
}

bool Between(std::uint64_t n, std::uint64_t low, std::uint64_t high) {
    return n >= low && n <= high;
}

// French, Spanish, Italian, Portuguese and Catalan say "de" after a round million.
bool RoundMillion(std::uint64_t n) {
    return n != 0 && n % 1000000 == 0;
}

} // namespace

std::string_view PluralName(TPlural category) {
    static constexpr std::array<std::string_view, 6> names{"zero", "one",  "two",
                                                           "few",  "many", "other"};
    return names[static_cast<std::size_t>(category)];
}

TPlural PluralCategory(std::string_view language, std::uint64_t n) {
    const std::uint64_t last = n % 10;
    const std::uint64_t lastTwo = n % 100;
    // The East and South Slavic languages and Polish: "one" ends in 1 (Polish: is 1), "few" ends in
    // 2 to 4, both but for the teens; the rest is "many", or "other" in the South.
    const bool endsInOne = last == 1 && lastTwo != 11;
    const bool endsInFew = Between(last, 2, 4) && !Between(lastTwo, 12, 14);
    if (In(language, {"ru", "uk", "be", "pl", "hr", "sr", "bs"})) {
        if (language == "pl" ? n == 1 : endsInOne)
            return TPlural::One;
        if (endsInFew)
            return TPlural::Few;
        return In(language, {"hr", "sr", "bs"}) ? TPlural::Other : TPlural::Many;
    }
    if (In(language, {"cs", "sk"}))
        return n == 1 ? TPlural::One : Between(n, 2, 4) ? TPlural::Few : TPlural::Other;
    if (language == "sl") {
        return lastTwo == 1             ? TPlural::One
               : lastTwo == 2           ? TPlural::Two
               : Between(lastTwo, 3, 4) ? TPlural::Few
                                        : TPlural::Other;
    }
    if (language == "lt") {
        if (Between(lastTwo, 11, 19))
            return TPlural::Other;
        return last == 1 ? TPlural::One : last >= 2 ? TPlural::Few : TPlural::Other;
    }
    if (language == "lv") {
        if (last == 0 || Between(lastTwo, 11, 19))
            return TPlural::Zero;
        return last == 1 ? TPlural::One : TPlural::Other;
    }
    if (language == "ro") {
        if (n == 1)
            return TPlural::One;
        return n == 0 || Between(lastTwo, 2, 19) ? TPlural::Few : TPlural::Other;
    }
    if (language == "ar") {
        return n == 0                     ? TPlural::Zero
               : n == 1                   ? TPlural::One
               : n == 2                   ? TPlural::Two
               : Between(lastTwo, 3, 10)  ? TPlural::Few
               : Between(lastTwo, 11, 99) ? TPlural::Many
                                          : TPlural::Other;
    }
    if (language == "he")
        return n == 1 ? TPlural::One : n == 2 ? TPlural::Two : TPlural::Other;
    if (In(language, {"fr", "pt"})) {
        if (n <= 1)
            return TPlural::One;
        return RoundMillion(n) ? TPlural::Many : TPlural::Other;
    }
    if (In(language, {"es", "it", "ca"})) {
        if (n == 1)
            return TPlural::One;
        return RoundMillion(n) ? TPlural::Many : TPlural::Other;
    }
    if (In(language, {"ja", "zh", "ko", "vi", "th", "id", "ms", "lo", "my", "km"}))
        return TPlural::Other;
    return n == 1 ? TPlural::One : TPlural::Other;
}
