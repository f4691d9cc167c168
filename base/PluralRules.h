#pragma once

#include <cstdint>
#include <string_view>

// The plural categories of the Unicode CLDR, which pick the form of a word after a count.
enum class TPlural { Zero, One, Two, Few, Many, Other };

// The category's name as CLDR and the language files spell it: "zero", "one", "two", "few",
// "many", "other".
std::string_view PluralName(TPlural category);

// The category of a whole number in a language named by its ISO 639 code ("ru", "de", "en"), by
// the CLDR rules for integers. Languages without rules of their own here take the English ones:
// "one" for 1, "other" for everything else.
TPlural PluralCategory(std::string_view language, std::uint64_t n);
