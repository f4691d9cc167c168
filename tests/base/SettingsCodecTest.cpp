#include "base/SettingsCodec.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

TEST(SettingsCodec, Integers) {
    EXPECT_EQ(ReadProfileInteger("240"), 240);
    EXPECT_EQ(ReadProfileInteger("-5"), -5);
    EXPECT_EQ(ReadProfileInteger("+7"), 7);
    EXPECT_EQ(ReadProfileInteger("0xFF"), 255);
    EXPECT_EQ(ReadProfileInteger("0XfF"), 255);
    EXPECT_EQ(ReadProfileInteger("$FF0000"), 16711680);
    EXPECT_EQ(ReadProfileInteger("-$10"), -16);
    EXPECT_EQ(ReadProfileInteger("2147483647"), 2147483647);
    EXPECT_EQ(ReadProfileInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
    for (const char* bad : {"", "blue", "2147483648", "-2147483649", "$", "0x", "1.5", "12a", "--1",
                            "+-1", "$-1", " 1", "99999999999999999999999", "0x80000000", "1 "})
        EXPECT_EQ(ReadProfileInteger(bad), std::nullopt) << bad;
}

// The program's own form reads back whatever the region; the region's forms read in its order,
// with every day, month or year out of range refused, also where the number would wrap in 8 bits
// onto a real date (263 = 256 + 7, 268 = 256 + 12).
TEST(SettingsCodec, DatesReadBackUnderAnyRegionalFormat) {
    EXPECT_EQ(StoredDateText(Date(1982, 12, 23)), "23.12.1982");
    EXPECT_EQ(StoredDateText(Date(1601, 1, 1)), "01.01.1601");
    EXPECT_EQ(StoredDateText(1e12), "");
    EXPECT_EQ(TShortDateFormat::FromPattern("").order, TShortDateFormat::MonthDayYear);

    struct Row {
        const char* pattern;
        const char* text;
        int year, month, day; // 0 when absent
    };
    const Row rows[] = {
        {"dd.MM.yyyy", "23.12.1982", 1982, 12, 23},
        {"M/d/yy", "23.12.1982", 1982, 12, 23},
        {"yyyy-MM-dd", "23.12.1982", 1982, 12, 23},
        {"MM.dd.yyyy", "05.04.1990", 1990, 4, 5}, // the own form, not exchanged
        {"M/d/yy", "12/23/1982", 1982, 12, 23},
        {"M/d/yy", " 12/ 23/82 ", 1982, 12, 23},
        {"M/d/yy", "12/23/1982/", 1982, 12, 23},
        {"M/d/yy", "12/23/1982/ /", 0, 0, 0},
        {"yyyy-MM-dd", "1980-3-7", 1980, 3, 7},
        {"dd.MM.yyyy", "7.3.1980", 1980, 3, 7},
        {"dd.MM.yyyy", "1.2.45", 2045, 2, 1},
        {"dd.MM.yyyy", "1.2.46", 1946, 2, 1},
        {"dd.MM.yyyy", "23.12", 2026, 12, 23},
        {"dd.MM.yyyy", "29.2.2000", 2000, 2, 29},
        {"dd.MM.yyyy", "31.12.9999", 9999, 12, 31},
        {"dd.MM.yyyy", "29.02.1900", 0, 0, 0},
        {"dd.MM.yyyy", "31.04.1980", 0, 0, 0},
        {"dd.MM.yyyy", "263.03.1980", 0, 0, 0},
        {"dd.MM.yyyy", "07.263.1980", 0, 0, 0},
        {"dd.MM.yyyy", "07.03.11980", 0, 0, 0},
        {"dd.MM.yyyy", "268.12", 0, 0, 0},
        {"M/d/yyyy", "3/263/1980", 0, 0, 0},
        {"M/d/yyyy", "268/7/1980", 0, 0, 0},
        {"yyyy-MM-dd", "1980-263-07", 0, 0, 0},
        {"yyyy-MM-dd", "1980-03-263", 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.pattern) + " " + row.text);
        EXPECT_EQ(ReadStoredDate(row.text, TShortDateFormat::FromPattern(row.pattern), 2026),
                  row.year ? EncodeDate(row.year, row.month, row.day) : std::nullopt);
    }
    // Absent: malformed, impossible, refused by the pickers.
    const auto german = TShortDateFormat::FromPattern("dd.MM.yyyy");
    for (const char* bad :
         {"", "yesterday", "23.12.1982x", "23..12.1982", "31.02.1990", "30.12.1899", "00.01.2000",
          "31.12.1600", "23-12-1982", "1.2.3.4", "99999999999.1.1"})
        EXPECT_EQ(ReadStoredDate(bad, german, 2026), std::nullopt) << bad;
    EXPECT_EQ(
        ReadStoredDate("23.12.1982", TShortDateFormat{TShortDateFormat::DayMonthYear, ""}, 2026),
        Date(1982, 12, 23));
}

TEST(SettingsCodec, SettingsFileNames) {
    EXPECT_EQ(SettingsFileName("Tool.EXE"), "Tool.ini");
    EXPECT_EQ(SettingsFileName("tool.exe.bak.exe"), "tool.ini");
    EXPECT_EQ(SettingsFileName("orvanta"), "orvanta.ini");
    EXPECT_EQ(SettingsFileName(".hidden"), ".ini");
}
