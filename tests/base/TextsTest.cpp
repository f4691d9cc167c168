#include "base/ControlCharacters.h"
#include "base/LanguageForms.h"
#include "base/TextFormat.h"
#include "base/Vocabulary.h"
#include "model/Error.h"
#include "model/Shared.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(TextFormat, PlaceholdersAndErrors) {
    const struct {
        const char* format;
        std::vector<std::string> args;
        const char* result; // or the error's message
    } rows[] = {
        {"Графики биоритмов для %s и %s",
         {"декабря", "января"},
         "Графики биоритмов для декабря и января"},
        {"100%% %s", {"x"}, "100% x"},
        {"no placeholder", {"3.3"}, "no placeholder"},
        {"%s и %s", {"%s", "%d"}, "%s и %d"}, // a value is not formatted again
        {"Charts %s %s", {"3.3"}, "Нет аргумента для формата 'Charts %s %s'"},
        {"Charts %d", {"3.3"}, "Формат 'Charts %d' неверен или несовместим с аргументом"},
        {"50%", {}, "Формат '50%' неверен или несовместим с аргументом"},
        // At most 31 characters of the format text, Cyrillic counted as characters.
        {"Графики биоритмов для %s и %s и ещё %s",
         {"a", "b"},
         "Нет аргумента для формата 'Графики биоритмов для %s и %s и'"},
    };
    for (const auto& row : rows) {
        try {
            EXPECT_EQ(FormatText(row.format, row.args), row.result);
        } catch (const EProgramError& error) {
            EXPECT_EQ(error.what(), std::string(row.result));
        }
    }
}

TEST(TextFormat, Utf8PrefixNeverSplitsACharacter) {
    EXPECT_EQ(Utf8Prefix("абв", 2), "аб");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
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
    EXPECT_EQ(LongDateText(*EncodeDate(33, 3, 3)), "3 марта 0033 г.");
    EXPECT_EQ(LongDateText(1e12), "");
    EXPECT_EQ(FoundDayForm(0), "—");
    EXPECT_EQ(FoundDayForm(*EncodeDate(2001, 2, 8)), "8 февраля 2001 г.");
}

// Every C0 control but the tab goes, DEL and the C1 controls too; letters of any script, the
// two characters "\n" a language file writes for a line break, and bytes of broken UTF-8 stay.
TEST(ControlCharacters, OnlyControlsAreRemoved) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> rows[] = {
        {"Bio\0rhythm\x1b[2J\x07\x7f"s, "Biorhythm[2J"},
        {"a\tb\r\nc\x1f", "a\tbc"},
        {"\xc2\x80x\xc2\x9fy\xc2\xa0z", "xy\xc2\xa0z"}, // C1 gone, the no-break space kept
        {"Овен ♈ 牡羊座 line\\nbreak", "Овен ♈ 牡羊座 line\\nbreak"},
        {"\xff\xc2", "\xff\xc2"}, // broken UTF-8 is no control
        // A control between the two bytes of a C1 control leaves none behind.
        {"a\xc2\x01\x85"
         "b\xc2\xc2\x85\x85"
         "c",
         "abc"},
    };
    for (const auto& [text, clean] : rows) {
        EXPECT_EQ(WithoutControlCharacters(text), clean) << text;
        EXPECT_EQ(WithoutControlCharacters(clean), clean) << text;
    }
}
