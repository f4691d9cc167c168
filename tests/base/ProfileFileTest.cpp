#include "base/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

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

// Some editors start a file with a UTF-8 byte-order mark: the first line is still what it says,
// and the mark stays where it was.
TEST(ProfileFile, ReadsThroughAByteOrderMarkAndKeepsIt) {
    const std::string mark = "\xEF\xBB\xBF";
    struct Row {
        std::string bytes;
        std::optional<std::string> read; // "Settings", "k"
        std::string written;             // after Write("Settings", "k", "2")
    };
    const Row rows[] = {
        {mark + "[Settings]\nk=1\n", "1", mark + "[Settings]\nk=2\n"},
        {mark + "[settings]\r\nj=0\r\nk = 1\r\n", "1", mark + "[settings]\r\nj=0\r\nk =2\r\n"},
        {mark + "k=1\n[Settings]\n", std::nullopt, mark + "k=1\n[Settings]\nk=2\n"},
        {mark + "; note\n[Settings]\nk=1", "1", mark + "; note\n[Settings]\nk=2"},
        {mark, std::nullopt, mark + "[Settings]\nk=2\n"},
        {mark + mark + "[Settings]\nk=1\n", std::nullopt,
         mark + mark + "[Settings]\nk=1\n[Settings]\nk=2\n"},
        {"[Settings]\n" + mark + "k=1\n", std::nullopt, "[Settings]\n" + mark + "k=1\nk=2\n"},
    };
    for (const Row& row : rows) {
        TProfileFile file(row.bytes);
        EXPECT_EQ(file.Bytes(), row.bytes);
        EXPECT_EQ(file.Read("Settings", "k"), row.read) << row.bytes;
        file.Write("Settings", "k", "2");
        EXPECT_EQ(file.Bytes(), row.written);
        EXPECT_EQ(TProfileFile(file.Bytes()).Read("Settings", "k"), "2") << row.bytes;
    }
}

namespace {

// The same rules read line by line, every look-up a scan of the whole file: slow, plainly right.
class TLineByLine {
public:
    explicit TLineByLine(std::string_view bytes) {
        mark_ = bytes.starts_with("\xEF\xBB\xBF");
        bytes.remove_prefix(mark_ ? 3 : 0);
        while (!bytes.empty()) {
            const std::size_t length = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
            lines_.emplace_back(bytes.substr(0, length));
            bytes.remove_prefix(length);
        }
    }
    std::string Bytes() const {
        std::string bytes = mark_ ? "\xEF\xBB\xBF" : "";
        for (const std::string& line : lines_)
            bytes += line;
        return bytes;
    }
    std::optional<std::string> Read(const std::string& section, const std::string& key) const {
        const auto at = Entry(section, key);
        if (!at)
            return std::nullopt;
        std::string value = Trim(Body(lines_[*at]).substr(lines_[*at].find('=') + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return value;
    }
    std::vector<std::string> Keys(const std::string& section) const {
        std::vector<std::string> keys;
        if (const auto range = Section(section))
            for (std::size_t i = range->first; i < range->second; ++i)
                if (Kind(lines_[i]) == 'e')
                    keys.push_back(Name(lines_[i]));
        return keys;
    }
    void Write(const std::string& section, const std::string& key, std::string value) {
        for (char& c : value)
            c = c == '\r' || c == '\n' || c == '\0' ? ' ' : c;
        std::string lineBreak = "\n";
        for (const std::string& line : lines_)
            if (!Break(line).empty()) {
                lineBreak = Break(line);
                break;
            }
        const auto terminate = [&](std::size_t i) {
            if (!lines_[i].ends_with('\n'))
                lines_[i] += lines_[i].ends_with('\r') ? "\n" : lineBreak;
        };
        const auto range = Section(section);
        if (!range) {
            if (!lines_.empty())
                terminate(lines_.size() - 1);
            lines_.push_back("[" + section + "]" + lineBreak);
            lines_.push_back(key + "=" + value + lineBreak);
        } else if (const auto at = Entry(section, key)) {
            std::string& line = lines_[*at];
            line = line.substr(0, line.find('=') + 1) + value + Break(line);
        } else {
            std::size_t after = range->first - 1;
            for (std::size_t i = range->first; i < range->second; ++i)
                after = Kind(lines_[i]) == 'e' ? i : after;
            terminate(after);
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                          key + "=" + value + lineBreak);
        }
    }

private:
    static std::string Body(const std::string& line) {
        std::string body = line.ends_with('\n') ? line.substr(0, line.size() - 1) : line;
        return body.ends_with('\r') ? body.substr(0, body.size() - 1) : body;
    }
    static std::string Break(const std::string& line) {
        return line.ends_with('\n') ? line.substr(Body(line).size()) : "";
    }
    static std::string Trim(const std::string& text) {
        const auto first = text.find_first_not_of(" \t");
        return first == std::string::npos
                   ? ""
                   : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }
    static std::string Lower(std::string text) {
        for (char& c : text)
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        return text;
    }
    // 's' section header, 'e' entry, 'o' other.
    static char Kind(const std::string& line) {
        const std::string content = Trim(Body(line));
        if (content.empty() || content[0] == ';')
            return 'o';
        if (content[0] == '[')
            return 's';
        const auto equals = line.find('=');
        return equals < Body(line).size() && !Trim(line.substr(0, equals)).empty() ? 'e' : 'o';
    }
    static std::string Name(const std::string& line) {
        if (Kind(line) == 'e')
            return Trim(line.substr(0, line.find('=')));
        const std::string content = Trim(Body(line));
        return Trim(content.substr(
            1, content.find(']') == std::string::npos ? std::string::npos : content.find(']') - 1));
    }
    std::optional<std::pair<std::size_t, std::size_t>> Section(const std::string& name) const {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (Kind(lines_[i]) != 's' || Lower(Name(lines_[i])) != Lower(name))
                continue;
            std::size_t end = i + 1;
            while (end < lines_.size() && Kind(lines_[end]) != 's')
                ++end;
            return std::pair{i + 1, end};
        }
        return std::nullopt;
    }
    std::optional<std::size_t> Entry(const std::string& section, const std::string& key) const {
        if (const auto range = Section(section))
            for (std::size_t i = range->first; i < range->second; ++i)
                if (Kind(lines_[i]) == 'e' && Lower(Name(lines_[i])) == Lower(key))
                    return i;
        return std::nullopt;
    }

    bool mark_ = false;
    std::vector<std::string> lines_;
};

} // namespace

// Random files of namesake sections and keys, comments and odd lines, then random writes, names
// that read as comments or section headers included: every answer is the line-by-line one.
TEST(ProfileFile, LookUpsAnswerAsAReadingLineByLine) {
    const std::vector<std::string> pieces = {"[A]",   "[a]",        "[ B ]",   "[]",    "[C", "k=1",
                                             "K = 2", "x=",         "y=\"q\"", "; c=3", "",   "=v",
                                             "noise", "  k  =  4 ", "[b]",     "z=5"};
    const std::vector<std::string> sections = {"A", "b", "C", "", "New", "a]x"};
    const std::vector<std::string> keys = {"k", "K", "x", "y", "z", "w", " k", ";k", "[D]", "p\nq"};
    std::mt19937 random(11);
    const auto pick = [&](const std::vector<std::string>& from) {
        return from[random() % from.size()];
    };
    // The first rounds are files of thousands of lines, indexed as large files are.
    for (int round = 0; round < 250; ++round) {
        std::string bytes = random() % 5 == 0 ? "\xEF\xBB\xBF" : "";
        const std::size_t count = round < 2 ? 12000 : random() % 14;
        for (std::size_t i = 0; i < count; ++i)
            bytes += pick(pieces) + (random() % 3 == 0 ? "\r\n" : "\n");
        if (random() % 3 == 0 && !bytes.empty())
            bytes.pop_back();
        TProfileFile file(bytes);
        TLineByLine expected(bytes);
        for (int step = 0; step < (round < 2 ? 3 : 12); ++step) {
            SCOPED_TRACE(::testing::Message() << "round " << round << " step " << step << " file "
                                              << ::testing::PrintToString(expected.Bytes()));
            ASSERT_EQ(file.Bytes(), expected.Bytes());
            for (const std::string& section : sections) {
                ASSERT_EQ(file.Keys(section), expected.Keys(section)) << section;
                ASSERT_EQ(file.HasSection(section), !expected.Keys(section).empty()) << section;
                for (const std::string& key : keys)
                    ASSERT_EQ(file.Read(section, key), expected.Read(section, key))
                        << section << " " << key;
            }
            const std::string section = pick(sections);
            const std::string key = pick(keys);
            const std::string value = random() % 2 ? "v" + std::to_string(step) : " \"s\" ";
            file.Write(section, key, value);
            expected.Write(section, key, value);
        }
    }
}
