#include "base/SettingsCodec.h"

#include <gtest/gtest.h>

TEST(SettingsCodec, Integers) {
    EXPECT_EQ(ReadProfileInteger("240"), 240);
    EXPECT_EQ(ReadProfileInteger("-5"), -5);
    EXPECT_EQ(ReadProfileInteger("+7"), 7);
    EXPECT_EQ(ReadProfileInteger("0xFF"), 255);
    EXPECT_EQ(ReadProfileInteger("0XfF"), 255);
    EXPECT_EQ(ReadProfileInteger("$FF"), 255);
    EXPECT_EQ(ReadProfileInteger("$FF0000"), 16711680);
    EXPECT_EQ(ReadProfileInteger("-$10"), -16);
    EXPECT_EQ(ReadProfileInteger("2147483647"), 2147483647);
    EXPECT_EQ(ReadProfileInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
    for (const char* bad :
         {"", "blue", "yes", "2147483648", "-2147483649", "$", "0x", "1.5", "12a", "--1", "+-1",
          "$-1", " 1", "99999999999999999999999", "0x80000000", "1 "})
        EXPECT_EQ(ReadProfileInteger(bad), std::nullopt) << bad;
}

TEST(SettingsCodec, DatesReadBackUnderAnyRegionalFormat) {
    const TDateTime d1982 = *EncodeDate(1982, 12, 23);
    EXPECT_EQ(StoredDateText(d1982), "23.12.1982");
    EXPECT_EQ(StoredDateText(*EncodeDate(1601, 1, 1)), "01.01.1601");
    EXPECT_EQ(StoredDateText(1e12), "");

    const auto german = TShortDateFormat::FromPattern("dd.MM.yyyy");
    const auto american = TShortDateFormat::FromPattern("M/d/yy");
    const auto iso = TShortDateFormat::FromPattern("yyyy-MM-dd");
    EXPECT_EQ(american.order, TShortDateFormat::MonthDayYear);
    EXPECT_EQ(american.separator, "/");
    EXPECT_EQ(iso.order, TShortDateFormat::YearMonthDay);
    EXPECT_EQ(iso.separator, "-");
    EXPECT_EQ(german.order, TShortDateFormat::DayMonthYear);
    EXPECT_EQ(TShortDateFormat::FromPattern("").order, TShortDateFormat::MonthDayYear);

    // The program's own form reads back whatever the region.
    for (const auto& region : {german, american, iso})
        EXPECT_EQ(ReadStoredDate("23.12.1982", region, 2026), d1982);
    // Month-day-year with "." reads the own form as day-month-year, not exchanged.
    EXPECT_EQ(ReadStoredDate("05.04.1990", TShortDateFormat::FromPattern("MM.dd.yyyy"), 2026),
              EncodeDate(1990, 4, 5));

    // Regional forms.
    EXPECT_EQ(ReadStoredDate("12/23/1982", american, 2026), d1982);
    EXPECT_EQ(ReadStoredDate(" 12/ 23/82 ", american, 2026), d1982);
    EXPECT_EQ(ReadStoredDate("12/23/1982/", american, 2026), d1982);
    EXPECT_EQ(ReadStoredDate("1982-12-23", iso, 2026), d1982);
    EXPECT_EQ(ReadStoredDate("23.12.82", german, 2026), d1982);
    EXPECT_EQ(ReadStoredDate("1.2.45", german, 2026), EncodeDate(2045, 2, 1));
    EXPECT_EQ(ReadStoredDate("1.2.46", german, 2026), EncodeDate(1946, 2, 1));
    EXPECT_EQ(ReadStoredDate("23.12", german, 2026), EncodeDate(2026, 12, 23));

    // Absent: malformed, impossible, refused by the pickers.
    for (const char* bad :
         {"", "yesterday", "23.12.1982x", "23..12.1982", "31.02.1990", "30.12.1899", "31.12.1600",
          "00.00.0000", "23-12-1982", "12/23/1982/ /", "1.2.3.4", "99999999999.1.1"})
        EXPECT_EQ(ReadStoredDate(bad, german, 2026), std::nullopt) << bad;
    EXPECT_EQ(
        ReadStoredDate("23.12.1982", TShortDateFormat{TShortDateFormat::DayMonthYear, ""}, 2026),
        d1982);
}

TEST(SettingsCodec, SettingsFileNames) {
    EXPECT_EQ(SettingsFileName("Prog.exe"), "Prog.ini");
    EXPECT_EQ(SettingsFileName("Tool.EXE"), "Tool.ini");
    EXPECT_EQ(SettingsFileName("tool.exe.bak.exe"), "tool.ini");
    EXPECT_EQ(SettingsFileName("a.exe.b.exe"), "a.ini");
    EXPECT_EQ(SettingsFileName("orvanta"), "orvanta.ini");
    EXPECT_EQ(SettingsFileName(".hidden"), ".ini");
}

// A day, month or year out of range is refused in every regional order, also where the number
// would wrap in 8 bits onto a real date (263 = 256 + 7, 268 = 256 + 12).
TEST(SettingsCodec, OutOfRangeFieldsAreRefusedInEveryOrder) {
    struct Row {
        const char* pattern;
        const char* text;
        std::optional<TDateTime> expected;
    };
    const auto date = [](int y, unsigned m, unsigned d) { return EncodeDate(y, m, d); };
    const Row rows[] = {
        {"dd.MM.yyyy", "263.03.1980", std::nullopt},
        {"dd.MM.yyyy", "07.263.1980", std::nullopt},
        {"dd.MM.yyyy", "07.03.11980", std::nullopt},
        {"dd.MM.yyyy", "32.01.1980", std::nullopt},
        {"dd.MM.yyyy", "31.04.1980", std::nullopt},
        {"dd.MM.yyyy", "29.02.1900", std::nullopt},
        {"dd.MM.yyyy", "7.3.1980", date(1980, 3, 7)},
        {"dd.MM.yyyy", "29.2.2000", date(2000, 2, 29)},
        {"dd.MM.yyyy", "31.12.9999", date(9999, 12, 31)},
        {"dd.MM.yyyy", "1.1.10000", std::nullopt},
        {"dd.MM.yyyy", "268.12", std::nullopt},
        {"M/d/yyyy", "3/263/1980", std::nullopt},
        {"M/d/yyyy", "263/3/1980", std::nullopt},
        {"M/d/yyyy", "268/7/1980", std::nullopt},
        {"M/d/yyyy", "3/7/1980", date(1980, 3, 7)},
        {"M/d/yyyy", "2/29/2023", std::nullopt},
        {"M/d/yyyy", "12/268", std::nullopt},
        {"yyyy-MM-dd", "1980-03-263", std::nullopt},
        {"yyyy-MM-dd", "1980-263-07", std::nullopt},
        {"yyyy-MM-dd", "1980-3-7", date(1980, 3, 7)},
        {"yyyy-MM-dd", "1980-06-31", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ReadStoredDate(row.text, TShortDateFormat::FromPattern(row.pattern), 2026),
                  row.expected)
            << row.pattern << " " << row.text;
}
