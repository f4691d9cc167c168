#include "base/Couples.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TCoupleReading Reading{[](std::string_view bytes) { return std::string(bytes); }, {}, 2026};

std::vector<TStoredCouple> Read(const std::string& text) {
    return ReadCouples(TProfileFile(text), Reading);
}

std::string Section(const std::string& header, const std::string& name,
                    const std::string& man = "23.12.1982",
                    const std::string& woman = "29.09.1983") {
    return "[" + header + "]\nName=" + name + "\nMan=" + man + "\nWoman=" + woman + "\n";
}

} // namespace

// Which sections are couples, in which order, and what their names read as.
TEST(Couples, ReadInTheOrderOfTheirNumbersDamagedAndTakenOnesSkipped) {
    const TDateTime man = Date(1982, 12, 23);
    const TDateTime woman = Date(1983, 9, 29);
    const std::string hundred(100, 'x');
    const std::string emoji = "\xF0\x9F\x98\x80"; // U+1F600, one code point of four bytes
    std::string hundredEmoji;
    for (int i = 0; i < 100; ++i)
        hundredEmoji += emoji;
    struct Row {
        std::string file;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"[Settings]\nLanguage=English\n" + Section("Couple10", "B") + Section("Couple2", "A") +
             Section("couple3", "C") + Section("Couple0", "Z"),
         {"Z", "A", "C", "B"}},
        // Not couples: leading zeros, signs, letters, a name of no or too many characters, a
        // missing or impossible date, a second header of a number already seen.
        {Section("Couple01", "a") + Section("Couple+1", "b") + Section("Couple1x", "c") +
             Section("Couple", "d") + Section("Couple1", " \t ") +
             Section("Couple2", hundred + "y") + Section("Couple3", "e", "31.02.1990") +
             Section("Couple4", "f", "23.12.1982", "") + Section("Couple5", "g", "01.01.1600") +
             Section("Couple6", hundred) + Section("Couple6", "h") +
             "[Couple7]\nName=i\nMan=23.12.1982\n",
         {hundred}},
        // The later of two namesakes is skipped; a damaged namesake takes no name.
        {Section("Couple1", "A", "bad") + Section("Couple2", "A") + Section("Couple3", "A"), {"A"}},
        // Cleaned and trimmed; one pair of quotes taken off, as for every value.
        {Section("Couple1", " \"Анна и Пётр\" ") + Section("Couple2", "a\x01\x1b[31mb\xC2\x85") +
             Section("Couple3", "\"\"q\"\"") + Section("Couple4", hundredEmoji),
         {"Анна и Пётр", "a[31mb", "\"q\"", hundredEmoji}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> names;
        for (const TStoredCouple& couple : Read(row.file)) {
            names.push_back(couple.Name);
            EXPECT_EQ(couple.Man, man);
            EXPECT_EQ(couple.Woman, woman);
        }
        EXPECT_EQ(names, row.names) << row.file;
    }

    std::string many;
    for (int i = 1; i <= 1001; ++i)
        many += Section("Couple" + std::to_string(i), std::to_string(i));
    const auto couples = Read(many);
    ASSERT_EQ(couples.size(), MaxCouples);
    EXPECT_EQ(couples.back().Name, "1000");
}

// Every change leaves the rest of the file as it was, and every name reads back as written.
TEST(Couples, ChangesKeepEveryOtherByteAndNamesReadBack) {
    const std::string head = "\xEF\xBB\xBF; mine\r\n[Settings]\r\nlbManDateDay=01.02.1970\r\n";
    const std::string damaged = "[Couple7]\r\nName=broken\r\n";
    const std::string tail = "[Other]\r\nKey=value\r\n";
    TProfileFile file(head + damaged + tail);
    const std::vector<std::string> names = {"\"quoted\"", "\"",          "a=b; [c] \\ \"d",
                                            "\t tab",     "Анна и Пётр", "\xF0\x9F\x98\x80"};
    std::vector<TStoredCouple> expected;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const TStoredCouple couple{names[i], Date(1990, 1, 1) + static_cast<double>(i),
                                   Date(1991, 1, 1)};
        ASSERT_EQ(SaveCouple(file, Reading, couple), TCoupleChange::Done);
        expected.push_back({*CoupleName(names[i]), couple.Man, couple.Woman});
    }
    const std::string saved = file.Bytes();
    // New couples follow the last section, numbered past the damaged one.
    EXPECT_EQ(saved.substr(0, head.size() + damaged.size() + tail.size()), head + damaged + tail);
    EXPECT_NE(saved.find("[Couple8]\r\nName=\"\"quoted\"\"\r\nMan=01.01.1990\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadCouples(TProfileFile(saved), Reading), expected);

    // Saving a name again changes its dates in place; renaming onto a name replaces that couple.
    ASSERT_EQ(SaveCouple(file, Reading, {"\"", Date(2000, 2, 2), Date(2001, 3, 3)}),
              TCoupleChange::Done);
    expected[1].Man = Date(2000, 2, 2);
    expected[1].Woman = Date(2001, 3, 3);
    EXPECT_EQ(ReadCouples(file, Reading), expected);
    ASSERT_EQ(RenameCouple(file, Reading, "Анна и Пётр", "\"quoted\""), TCoupleChange::Done);
    expected[4].Name = "\"quoted\"";
    expected.erase(expected.begin());
    EXPECT_EQ(ReadCouples(file, Reading), expected);
    for (const TStoredCouple& couple : expected)
        ASSERT_EQ(DeleteCouple(file, Reading, couple.Name), TCoupleChange::Done);
    EXPECT_EQ(DeleteCouple(file, Reading, "\""), TCoupleChange::Missing);
    EXPECT_EQ(RenameCouple(file, Reading, "\"", "x"), TCoupleChange::Missing);
    EXPECT_EQ(file.Bytes(), head + damaged + tail);

    // A file made by a couple's save has its settings' header first; the 1,001st is refused.
    TProfileFile made;
    for (int i = 1; i <= 1000; ++i)
        ASSERT_EQ(
            SaveCouple(made, Reading, {std::to_string(i), Date(1990, 1, 1), Date(1991, 1, 1)}),
            TCoupleChange::Done);
    EXPECT_EQ(SaveCouple(made, Reading, {"more", Date(1990, 1, 1), Date(1991, 1, 1)}),
              TCoupleChange::Full);
    EXPECT_EQ(made.Bytes().substr(0, 20), "[Settings]\n[Couple1]");
}
