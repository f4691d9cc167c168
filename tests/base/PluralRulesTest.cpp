#include "base/PluralRules.h"
#include "model/Shared.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

// From the examples CLDR publishes with its rules for integers; the languages of a row share
// one rule.
TEST(PluralRules, CategoriesOfTheLanguagesRules) {
    const struct {
        const char* languages;
        const char* examples; // "category: n n ..." for each category
    } rows[] = {
        {"ru uk be", "one: 1 21 101 few: 2 4 22 1002 many: 0 5 11 13 14 25 111 112 12345"},
        {"pl", "one: 1 few: 2 22 102 many: 0 5 12 21 112"},
        {"hr sr bs", "one: 1 21 few: 2 22 other: 5 11 12"},
        {"cs sk", "one: 1 few: 2 4 other: 0 5 22"},
        {"sl", "one: 1 101 two: 2 102 few: 3 104 other: 5 11"},
        {"lt", "one: 1 21 few: 2 9 22 other: 0 10 11 12"},
        {"lv", "zero: 0 10 11 19 111 one: 1 21 other: 2 22"},
        {"ro", "one: 1 few: 0 2 19 102 other: 20 101"},
        {"ar", "zero: 0 one: 1 two: 2 few: 3 10 103 many: 11 99 111 other: 100 102"},
        {"he", "one: 1 two: 2 other: 3 20"},
        {"fr pt", "one: 0 1 many: 1000000 2000000 other: 2 1000001"},
        {"es it ca", "one: 1 many: 1000000 other: 0 2"},
        {"ja zh ko", "other: 0 1"},
        {"en de nl eo", "one: 1 other: 0 2 21 101 1000000"},
    };
    for (const auto& row : rows) {
        std::istringstream languages(row.languages);
        for (std::string language; languages >> language;) {
            std::istringstream examples(row.examples);
            std::string category;
            for (std::string word; examples >> word;) {
                if (word.ends_with(':'))
                    category = word.substr(0, word.size() - 1);
                else
                    EXPECT_EQ(PluralName(PluralCategory(language, std::stoull(word))), category)
                        << language << " " << word;
            }
        }
    }
}

// The built-in Russian words and the Russian rules agree on every count the panels can show.
TEST(PluralRules, RussianRulesPickTheBuiltInWords) {
    const std::map<std::string, std::string> categories{
        {"день", "one"}, {"дня", "few"}, {"дней", "many"}};
    for (std::int32_t n = 0; n <= 3652500; n += n < 2000 ? 1 : 997) {
        const std::string text = CountWithWord(n, true);
        const std::string word = text.substr(text.find(' ') + 1);
        ASSERT_EQ(PluralName(PluralCategory("ru", static_cast<std::uint64_t>(n))),
                  categories.at(word))
            << n;
    }
}
