#include "base/PluralRules.h"
#include "model/Shared.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

struct Row {
    const char* language;
    std::uint64_t n;
    const char* category;
};

// From the examples CLDR publishes with its rules for integers.
const Row Rows[] = {
    {"ru", 0, "many"},   {"ru", 1, "one"},        {"ru", 2, "few"},        {"ru", 4, "few"},
    {"ru", 5, "many"},   {"ru", 11, "many"},      {"ru", 14, "many"},      {"ru", 21, "one"},
    {"ru", 22, "few"},   {"ru", 25, "many"},      {"ru", 101, "one"},      {"ru", 111, "many"},
    {"ru", 112, "many"}, {"ru", 1002, "few"},     {"ru", 12345, "many"},   {"uk", 21, "one"},
    {"be", 13, "many"},  {"pl", 0, "many"},       {"pl", 1, "one"},        {"pl", 2, "few"},
    {"pl", 5, "many"},   {"pl", 12, "many"},      {"pl", 21, "many"},      {"pl", 22, "few"},
    {"pl", 102, "few"},  {"pl", 112, "many"},     {"cs", 0, "other"},      {"cs", 1, "one"},
    {"cs", 2, "few"},    {"cs", 4, "few"},        {"cs", 5, "other"},      {"sk", 22, "other"},
    {"hr", 1, "one"},    {"hr", 21, "one"},       {"hr", 11, "other"},     {"hr", 2, "few"},
    {"sr", 22, "few"},   {"bs", 12, "other"},     {"hr", 5, "other"},      {"sl", 1, "one"},
    {"sl", 101, "one"},  {"sl", 2, "two"},        {"sl", 102, "two"},      {"sl", 3, "few"},
    {"sl", 104, "few"},  {"sl", 5, "other"},      {"sl", 11, "other"},     {"lt", 1, "one"},
    {"lt", 21, "one"},   {"lt", 11, "other"},     {"lt", 2, "few"},        {"lt", 9, "few"},
    {"lt", 22, "few"},   {"lt", 10, "other"},     {"lt", 12, "other"},     {"lt", 0, "other"},
    {"lv", 0, "zero"},   {"lv", 10, "zero"},      {"lv", 11, "zero"},      {"lv", 19, "zero"},
    {"lv", 111, "zero"}, {"lv", 1, "one"},        {"lv", 21, "one"},       {"lv", 2, "other"},
    {"lv", 22, "other"}, {"ro", 1, "one"},        {"ro", 0, "few"},        {"ro", 2, "few"},
    {"ro", 19, "few"},   {"ro", 102, "few"},      {"ro", 20, "other"},     {"ro", 101, "other"},
    {"ar", 0, "zero"},   {"ar", 1, "one"},        {"ar", 2, "two"},        {"ar", 3, "few"},
    {"ar", 10, "few"},   {"ar", 103, "few"},      {"ar", 11, "many"},      {"ar", 99, "many"},
    {"ar", 111, "many"}, {"ar", 100, "other"},    {"ar", 102, "other"},    {"he", 1, "one"},
    {"he", 2, "two"},    {"he", 3, "other"},      {"he", 20, "other"},     {"fr", 0, "one"},
    {"fr", 1, "one"},    {"fr", 2, "other"},      {"fr", 1000000, "many"}, {"fr", 1000001, "other"},
    {"pt", 0, "one"},    {"pt", 2, "other"},      {"pt", 2000000, "many"}, {"es", 0, "other"},
    {"es", 1, "one"},    {"it", 1000000, "many"}, {"ca", 2, "other"},      {"ja", 1, "other"},
    {"zh", 0, "other"},  {"en", 1, "one"},        {"en", 0, "other"},      {"en", 21, "other"},
    {"de", 1, "one"},    {"de", 2, "other"},      {"de", 101, "other"},    {"nl", 1000000, "other"},
    {"eo", 1, "one"},
};

} // namespace

TEST(PluralRules, CategoriesOfTheLanguagesRules) {
    for (const Row& row : Rows)
        EXPECT_EQ(PluralName(PluralCategory(row.language, row.n)), row.category)
            << row.language << " " << row.n;
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
