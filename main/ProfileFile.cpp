#include "main/ProfileFile.h"

#include <algorithm>

namespace {

constexpr std::string_view Blanks = " \t";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

// The line without its line break.
std::string_view Content(std::string_view line) {
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Only a "\n" ends a line: a last line ending in a bare "\r" has no break yet.
std::string_view BreakOf(std::string_view line) {
    return line.ends_with('\n') ? line.substr(Content(line).size()) : std::string_view();
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// At most MaxValueLength bytes, never ending inside a UTF-8 character: language files are UTF-8
// by the time they are read, and half a character would show as a replacement mark.
std::string_view CutValue(std::string_view value) {
    std::size_t end = std::min(value.size(), TProfileFile::MaxValueLength);
    for (int back = 0; back < 3 && end > 0 && end < value.size() &&
                       (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80;
         ++back)
        --end;
    return value.substr(0, end);
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

} // namespace

TProfileFile::TProfileFile(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines_.emplace_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
}

std::string TProfileFile::Bytes() const {
    std::string bytes;
    for (const std::string& line : lines_)
        bytes += line;
    return bytes;
}

TProfileFile::Line TProfileFile::Parse(std::string_view text) {
    const std::string_view content = Trim(Content(text));
    Line line;
    if (content.empty() || content.front() == ';')
        return line;
    if (content.front() == '[') {
        const auto close = content.find(']');
        line.kind = Line::Section;
        line.name = Trim(content.substr(1, close == std::string_view::npos ? std::string_view::npos
                                                                           : close - 1));
        return line;
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos || equals >= Content(text).size())
        return line;
    line.name = Trim(text.substr(0, equals));
    if (line.name.empty())
        return line;
    line.kind = Line::Entry;
    line.equals = equals;
    return line;
}

std::optional<std::pair<std::size_t, std::size_t>>
TProfileFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line header = Parse(lines_[i]);
        if (header.kind != Line::Section || !SameName(header.name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && Parse(lines_[end]).kind != Line::Section)
            ++end;
        return std::pair{i + 1, end};
    }
    return std::nullopt;
}

std::optional<std::string> TProfileFile::Read(std::string_view section,
                                              std::string_view key) const {
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    for (std::size_t i = range->first; i < range->second; ++i) {
        const Line line = Parse(lines_[i]);
        if (line.kind != Line::Entry || !SameName(line.name, key))
            continue;
        std::string_view value = Trim(Content(lines_[i]).substr(line.equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return std::string(CutValue(value));
    }
    return std::nullopt;
}

std::string TProfileFile::Read(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    return Read(section, key).value_or(std::string(fallback));
}

bool TProfileFile::HasSection(std::string_view section) const {
    return !Keys(section).empty();
}

std::vector<std::string> TProfileFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const auto range = FindSection(section)) {
        for (std::size_t i = range->first; i < range->second; ++i) {
            Line line = Parse(lines_[i]);
            if (line.kind == Line::Entry)
                keys.push_back(std::move(line.name));
        }
    }
    return keys;
}

std::string TProfileFile::LineBreak() const {
    for (const std::string& line : lines_)
        if (!BreakOf(line).empty())
            return std::string(BreakOf(line));
    return "\n";
}

void TProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    std::string clean(value);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; },
        ' ');
    const std::string lineBreak = LineBreak();
    const std::string entry = std::string(key) + "=" + clean + lineBreak;
    const auto ensureBreak = [&](std::size_t index) {
        if (index < lines_.size() && BreakOf(lines_[index]).empty())
            lines_[index] += lines_[index].ends_with('\r') ? std::string("\n") : lineBreak;
    };

    const auto range = FindSection(section);
    if (!range) {
        if (!lines_.empty())
            ensureBreak(lines_.size() - 1);
        std::string header(1, '[');
        header.append(section).append(1, ']').append(lineBreak);
        lines_.push_back(std::move(header));
        lines_.push_back(entry);
        return;
    }
    std::size_t insertAfter = range->first - 1; // the header, when the section has no entry
    for (std::size_t i = range->first; i < range->second; ++i) {
        const Line line = Parse(lines_[i]);
        if (line.kind != Line::Entry)
            continue;
        if (SameName(line.name, key)) {
            std::string& text = lines_[i];
            text = text.substr(0, line.equals + 1) + clean + std::string(BreakOf(text));
            return;
        }
        insertAfter = i;
    }
    ensureBreak(insertAfter);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1, entry);
}
