#include "base/TextFormat.h"
#include "base/Vocabulary.h"
#include "model/Error.h"
#include "model/Shared.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Format(std::string_view format, std::vector<std::string> args) {
    return FormatText(format, args);
}

std::string ErrorOf(std::string_view format, std::vector<std::string> args) {
    try {
        FormatText(format, args);
    } catch (const EProgramError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(TextFormat, PlaceholdersAndErrors) {
    EXPECT_EQ(Format("Орванта %s", {"3.3"}), "Орванта 3.3");
    EXPECT_EQ(Format("Графики биоритмов для %s и %s", {"декабря", "января"}),
              "Графики биоритмов для декабря и января");
    EXPECT_EQ(Format("100%% %s", {"x"}), "100% x");
    EXPECT_EQ(Format("no placeholder", {"3.3"}), "no placeholder");
    EXPECT_EQ(Format("", {}), "");
    // A value that itself holds "%s" is not formatted again.
    EXPECT_EQ(Format("%s и %s", {"%s", "%d"}), "%s и %d");

    EXPECT_EQ(ErrorOf("Charts %s %s", {"3.3"}), "Нет аргумента для формата 'Charts %s %s'");
    EXPECT_EQ(ErrorOf("Charts %d", {"3.3"}),
              "Формат 'Charts %d' неверен или несовместим с аргументом");
    EXPECT_EQ(ErrorOf("50%", {}), "Формат '50%' неверен или несовместим с аргументом");
    EXPECT_EQ(ErrorOf("%-10s", {"x"}), "Формат '%-10s' неверен или несовместим с аргументом");
    // At most 31 characters of the format text, Cyrillic counted as characters.
    EXPECT_EQ(ErrorOf("Графики биоритмов для %s и %s и ещё %s", {"a", "b"}),
              "Нет аргумента для формата 'Графики биоритмов для %s и %s и'");
}

TEST(TextFormat, Utf8PrefixNeverSplitsACharacter) {
    EXPECT_EQ(Utf8Prefix("абв", 2), "аб");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf8Prefix("", 3), "");
    // Broken sequences count one byte each and never read past the end.
    EXPECT_EQ(Utf8Prefix("\xD0", 1), "\xD0");
    EXPECT_EQ(Utf8Prefix("\xE0\x80", 1), "\xE0\x80");
    EXPECT_EQ(Utf8Prefix("\x80\x80z", 2), "\x80\x80");
}

TEST(Vocabulary, BuiltInNamesAndDateTexts) {
    MonthNames.Clear();
    EXPECT_EQ(LongDateText(*EncodeDate(2009, 1, 5)), "5  2009 г.");
    InstallBuiltInNames();
    const char* const months[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                  "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(MonthNames[n], months[n - 1]);
        // After a day number the month takes the same (genitive) form as in the caption.
        EXPECT_EQ(LongDateText(*EncodeDate(2009, static_cast<unsigned>(n), 5)),
                  std::string("5 ") + months[n - 1] + " 2009 г.");
    }
    EXPECT_EQ(LongDateText(*EncodeDate(1601, 12, 31)), "31 декабря 1601 г.");
    EXPECT_EQ(LongDateText(*EncodeDate(33, 3, 3)), "3 марта 0033 г.");
    EXPECT_EQ(LongDateText(1e12), "");
    EXPECT_EQ(FoundDayText(0), "—");
    EXPECT_EQ(FoundDayText(*EncodeDate(2001, 2, 8)), "8 февраля 2001 г.");
}
