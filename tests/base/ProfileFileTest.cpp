#include "base/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// What the line-by-line comparison below never meets: a fallback, and a value written with line
// breaks of its own. Long values are cut in BadInputTest.
TEST(ProfileFile, FallbacksAndLinesInValues) {
    const TProfileFile file("[S]\nEmpty=\n");
    EXPECT_EQ(file.Read("S", "missing", "fallback"), "fallback");
    EXPECT_EQ(file.Read("S", "Empty", "fallback"), "");
    EXPECT_EQ(TProfileFile("").Read("S", "k"), std::nullopt);

    TProfileFile guarded("[S]\n");
    guarded.Write("S", "k", std::string("a\r\n[Evil]\0x=1", 13));
    EXPECT_EQ(guarded.Bytes(), "[S]\nk=a  [Evil] x=1\n");
}

namespace {

const std::string Mark = "\xEF\xBB\xBF";

// The same rules read line by line, every look-up a scan of the whole file: slow, plainly right.
class TLineByLine {
public:
    explicit TLineByLine(std::string_view bytes) {
        mark_ = bytes.starts_with(Mark);
        bytes.remove_prefix(mark_ ? 3 : 0);
        while (!bytes.empty()) {
            const std::size_t length = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
            lines_.emplace_back(bytes.substr(0, length));
            bytes.remove_prefix(length);
        }
    }
    std::string Bytes() const {
        std::string bytes = mark_ ? Mark : "";
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

// Random files of namesake sections and keys, comments and odd lines, a byte-order mark at the
// start or inside, a last line ending in a bare "\r" or in nothing, then random writes, names that
// read as comments or section headers included: every answer is the line-by-line one.
TEST(ProfileFile, LookUpsAnswerAsAReadingLineByLine) {
    const std::vector<std::string> pieces = {"[A]",   "[a]",   "[ B ]",      "[]",         "[C",
                                             "k=1",   "K = 2", "x=",         "y=\"q\"",    "w=\"q",
                                             "; c=3", "",      "=v",         "  k  =  4 ", "[b]",
                                             "z=5",   "noise", Mark + "[A]", Mark + "k=5"};
    const std::vector<std::string> sections = {"A", "b", "C", "", "New", "a]x"};
    const std::vector<std::string> keys = {"k", "K", "x", "y", "z", "w", " k", ";k", "[D]", "p\nq"};
    std::mt19937 random(11);
    const auto pick = [&](const std::vector<std::string>& from) {
        return from[random() % from.size()];
    };
    // The first rounds are files of thousands of lines, indexed as large files are.
    for (int round = 0; round < 250; ++round) {
        std::string bytes = random() % 5 == 0 ? Mark : "";
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
