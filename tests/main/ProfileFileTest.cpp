#include "main/ProfileFile.h"

#include <gtest/gtest.h>

TEST(ProfileFile, ReadsLikeTheDesktopProfileFunctions) {
    const TProfileFile file("; comment=not an entry\r\n"
                            "orphan=before any section\r\n"
                            "[Settings]\r\n"
                            "  CbAxis  =  1  \r\n"
                            "Quoted=\" spaced \"\r\n"
                            "OneQuote=\"open\r\n"
                            "Empty=\r\n"
                            "=no key\r\n"
                            "garbage line\r\n"
                            "cbaxis=second wins never\r\n"
                            "[ settings ]\r\n"
                            "Other=from the second section\r\n"
                            "[EmptySection]\r\n"
                            "; only a comment\r\n"
                            "[Last]\r\n"
                            "NoBreak=end");
    EXPECT_EQ(file.Read("settings", "cbAxis"), "1");
    EXPECT_EQ(file.Read("Settings", "Quoted"), " spaced ");
    EXPECT_EQ(file.Read("Settings", "OneQuote"), "\"open");
    EXPECT_EQ(file.Read("Settings", "Empty"), "");
    EXPECT_EQ(file.Read("Settings", "Other"), std::nullopt); // only the first section counts
    EXPECT_EQ(file.Read("Settings", "missing", "fallback"), "fallback");
    EXPECT_EQ(file.Read("Settings", "Empty", "fallback"), "");
    EXPECT_EQ(file.Read("Last", "NoBreak"), "end");
    EXPECT_EQ(file.Read("Nowhere", "orphan"), std::nullopt);

    EXPECT_EQ(file.Keys("SETTINGS"),
              (std::vector<std::string>{"CbAxis", "Quoted", "OneQuote", "Empty", "cbaxis"}));
    EXPECT_TRUE(file.HasSection("Settings"));
    EXPECT_FALSE(file.HasSection("EmptySection"));
    EXPECT_FALSE(file.HasSection("Missing"));

    const std::string longValue(5000, 'x');
    const TProfileFile big("[S]\nk=" + longValue + "\n");
    EXPECT_EQ(big.Read("S", "k")->size(), TProfileFile::MaxValueLength);

    const TProfileFile empty("");
    EXPECT_EQ(empty.Read("S", "k"), std::nullopt);
    EXPECT_EQ(empty.Bytes(), "");
}

TEST(ProfileFile, WritesOnlyWhatItMust) {
    const std::string original = "; my comment\r\n"
                                 "[Settings]\r\n"
                                 "Language=English\r\n"
                                 "cbAxis = 0 \r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n";
    TProfileFile file(original);
    file.Write("Settings", "CBAXIS", "1");
    EXPECT_EQ(file.Bytes(), "; my comment\r\n"
                            "[Settings]\r\n"
                            "Language=English\r\n"
                            "cbAxis =1\r\n"
                            "\r\n"
                            "[Other]\r\n"
                            "x=1\r\n");
    // A new entry goes after the last entry of its section, in the file's line breaks.
    file.Write("Settings", "chkSavvy", "1");
    EXPECT_EQ(file.Read("Settings", "chkSavvy"), "1");
    EXPECT_NE(file.Bytes().find("cbAxis =1\r\nchkSavvy=1\r\n\r\n[Other]"), std::string::npos);
    // A new section goes at the end.
    file.Write("New", "k", "v");
    EXPECT_TRUE(file.Bytes().ends_with("x=1\r\n[New]\r\nk=v\r\n"));

    // A file without a final line break, and one with none at all.
    TProfileFile open("[S]\na=1");
    open.Write("S", "b", "2");
    EXPECT_EQ(open.Bytes(), "[S]\na=1\nb=2\n");
    TProfileFile fresh;
    fresh.Write("Settings", "lbManDateDay", "23.12.1982");
    EXPECT_EQ(fresh.Bytes(), "[Settings]\nlbManDateDay=23.12.1982\n");

    // A section with no entry gets its first right under the header.
    TProfileFile bare("[S]\n; note\n");
    bare.Write("S", "k", "v");
    EXPECT_EQ(bare.Bytes(), "[S]\nk=v\n; note\n");

    // A value cannot smuggle in lines of its own.
    TProfileFile guarded("[S]\n");
    guarded.Write("S", "k", "a\r\n[Evil]\nx=1");
    EXPECT_EQ(guarded.Keys("S").size(), 1u);
    EXPECT_FALSE(guarded.HasSection("Evil"));
    EXPECT_EQ(guarded.Read("S", "k"), "a  [Evil] x=1");
}

// A file whose last line ends in a bare "\r" (old line breaks, or cut short): what is written
// after it must stay lines of its own when the file is read again, and the last line its value.
TEST(ProfileFile, WritesAfterALastLineEndingInCarriageReturn) {
    TProfileFile newSection("x=1\r");
    newSection.Write("S", "k", "v");
    EXPECT_EQ(newSection.Bytes(), "x=1\r\n[S]\nk=v\n");
    EXPECT_EQ(TProfileFile(newSection.Bytes()).Read("S", "k"), "v");

    TProfileFile newEntry("[S]\r\na=1\r");
    newEntry.Write("S", "b", "2");
    const TProfileFile reread(newEntry.Bytes());
    EXPECT_EQ(reread.Read("S", "a"), "1");
    EXPECT_EQ(reread.Read("S", "b"), "2");

    TProfileFile onlyHeader("[S]\r");
    onlyHeader.Write("S", "k", "v");
    EXPECT_EQ(TProfileFile(onlyHeader.Bytes()).Read("S", "k"), "v");
}

TEST(ProfileFile, LongValuesAreCutBetweenCharacters) {
    std::string cyrillic;
    for (int i = 0; i < 3000; ++i)
        cyrillic += "Ж"; // two bytes each: byte 2047 is the first half of one
    const auto read = TProfileFile("[S]\nk=" + cyrillic + "\n").Read("S", "k");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 2046u);
    EXPECT_TRUE(cyrillic.starts_with(*read));

    const std::string ascii(3000, 'x');
    EXPECT_EQ(TProfileFile("[S]\nk=" + ascii).Read("S", "k")->size(), 2047u);
}
