#include "base/ProfileFile.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <tuple>

namespace {

constexpr std::string_view Blanks = " \t";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

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

// FNV-1a over the names' bytes with ASCII letters in lower case, as SameName compares them.
std::uint32_t NameHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(Lower(c))) * 16777619u;
    return hash;
}

// The order of the index: by hash, section, line. A function object, which sorting inlines.
struct Before {
    template <typename Ref> bool operator()(const Ref& a, const Ref& b) const {
        const auto key = [](const Ref& ref) {
            return std::pair(std::uint64_t{ref.hash} << 32 | ref.section, ref.line);
        };
        return key(a) < key(b);
    }
};

// Refs made in the order of their lines, so in order of section and line, sorted by hash in
// two stable passes of 16 bits: a file of a million entries takes milliseconds, not a sort.
template <typename Ref> void SortByHash(std::vector<Ref>& refs) {
    if (refs.size() < 4096) {
        std::stable_sort(refs.begin(), refs.end(),
                         [](const Ref& a, const Ref& b) { return a.hash < b.hash; });
        return;
    }
    std::vector<Ref> scratch(refs.size());
    for (const int shift : {0, 16}) {
        std::vector<std::size_t> start(65537, 0);
        for (const Ref& ref : refs)
            ++start[((ref.hash >> shift) & 0xFFFF) + 1];
        for (std::size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        for (const Ref& ref : refs)
            scratch[start[(ref.hash >> shift) & 0xFFFF]++] = ref;
        refs.swap(scratch);
    }
}

template <typename Ref> void InsertSorted(std::vector<Ref>& refs, const Ref& ref) {
    refs.insert(std::upper_bound(refs.begin(), refs.end(), ref, Before()), ref);
}

} // namespace

TProfileFile::TProfileFile(std::string_view bytes) {
    byteOrderMark_ = bytes.starts_with(ByteOrderMark);
    if (byteOrderMark_)
        bytes.remove_prefix(ByteOrderMark.size());
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("profile file of 4 GiB or more");
    text_ = bytes;
    std::size_t header = std::string::npos;
    for (std::size_t begin = 0; begin < text_.size();) {
        const auto end = text_.find('\n', begin);
        const std::size_t length =
            end == std::string::npos ? text_.size() - begin : end + 1 - begin;
        const Parsed parsed = Parse(std::string_view(text_).substr(begin, length));
        // Other lines are only ever kept, so a run of them is one line here.
        if (parsed.kind == Kind::Other && !lines_.empty() && lines_.back().kind == Kind::Other) {
            lines_.back().size += static_cast<std::uint32_t>(length);
            lines_.back().several = true;
        } else {
            lines_.push_back({static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(length),
                              parsed.kind});
            if (parsed.kind == Kind::Section)
                header = lines_.size() - 1;
            Index(parsed.kind, parsed.name, lines_.size() - 1, header);
        }
        begin += length;
    }
    SortIndex();
}

std::string TProfileFile::Bytes() const {
    std::string bytes;
    bytes.reserve(text_.size() + ByteOrderMark.size());
    if (byteOrderMark_)
        bytes = ByteOrderMark;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        bytes += Text(i);
    return bytes;
}

TProfileFile::Parsed TProfileFile::Parse(std::string_view text) {
    const std::string_view content = Trim(Content(text));
    Parsed line;
    if (content.empty() || content.front() == ';')
        return line;
    if (content.front() == '[') {
        const auto close = content.find(']');
        line.kind = Kind::Section;
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
    line.kind = Kind::Entry;
    line.equals = equals;
    return line;
}

std::string_view TProfileFile::Text(std::size_t line) const {
    return std::string_view(text_).substr(lines_[line].begin, lines_[line].size);
}

std::string_view TProfileFile::NameOf(std::size_t line) const {
    return Parse(Text(line)).name;
}

void TProfileFile::Index(Kind kind, std::string_view name, std::size_t line, std::size_t header) {
    const auto at = static_cast<std::uint32_t>(line);
    if (kind == Kind::Section)
        sections_.push_back({NameHash(name), 0, at});
    else if (kind == Kind::Entry && header != std::string::npos)
        entries_.push_back({NameHash(name), static_cast<std::uint32_t>(header), at});
}

void TProfileFile::SortIndex() {
    for (std::vector<Ref>* refs : {&sections_, &entries_}) {
        SortByHash(*refs);
        // Later namesakes are never found: the first wins.
        const auto namesake = [this](const Ref& a, const Ref& b) {
            return a.hash == b.hash && a.section == b.section &&
                   SameName(NameOf(a.line), NameOf(b.line));
        };
        refs->erase(std::unique(refs->begin(), refs->end(), namesake), refs->end());
    }
}

void TProfileFile::Reindex() {
    sections_.clear();
    entries_.clear();
    std::size_t header = std::string::npos;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Other)
            continue;
        if (lines_[i].kind == Kind::Section)
            header = i;
        Index(lines_[i].kind, NameOf(i), i, header);
    }
    SortIndex();
}

std::optional<std::size_t> TProfileFile::FindSection(std::string_view section) const {
    const Ref wanted{NameHash(section), 0, 0};
    auto it = std::lower_bound(sections_.begin(), sections_.end(), wanted,
                               [](const Ref& a, const Ref& b) { return a.hash < b.hash; });
    for (; it != sections_.end() && it->hash == wanted.hash; ++it)
        if (SameName(NameOf(it->line), section))
            return it->line;
    return std::nullopt;
}

std::optional<std::size_t> TProfileFile::FindEntry(std::size_t header, std::string_view key) const {
    const Ref wanted{NameHash(key), static_cast<std::uint32_t>(header), 0};
    const auto before = [](const Ref& a, const Ref& b) {
        return std::tie(a.hash, a.section) < std::tie(b.hash, b.section);
    };
    auto it = std::lower_bound(entries_.begin(), entries_.end(), wanted, before);
    for (; it != entries_.end() && !before(wanted, *it); ++it)
        if (SameName(NameOf(it->line), key))
            return it->line;
    return std::nullopt;
}

std::optional<std::string> TProfileFile::Read(std::string_view section,
                                              std::string_view key) const {
    const auto header = FindSection(section);
    const auto line = header ? FindEntry(*header, key) : std::nullopt;
    if (!line)
        return std::nullopt;
    const std::string_view text = Text(*line);
    std::string_view value = Trim(Content(text).substr(Parse(text).equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(CutValue(value));
}

std::string TProfileFile::Read(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    return Read(section, key).value_or(std::string(fallback));
}

std::optional<std::size_t> TProfileFile::NextEntry(std::size_t line) const {
    for (std::size_t i = line + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind == Kind::Entry)
            return i;
    return std::nullopt;
}

bool TProfileFile::HasSection(std::string_view section) const {
    const auto header = FindSection(section);
    return header && NextEntry(*header);
}

std::vector<std::string> TProfileFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const auto header = FindSection(section))
        for (auto line = NextEntry(*header); line; line = NextEntry(*line))
            keys.emplace_back(NameOf(*line));
    return keys;
}

std::vector<std::string> TProfileFile::SectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section)
            names.emplace_back(NameOf(i));
    return names;
}

void TProfileFile::AddSection(std::string_view section) {
    if (FindSection(section))
        return;
    const std::string lineBreak = LineBreak();
    if (!lines_.empty())
        EnsureBreak(lines_.size() - 1, lineBreak);
    std::string header(1, '[');
    header.append(section).append(1, ']').append(lineBreak);
    Append(header);
}

void TProfileFile::RemoveSection(std::string_view section) {
    const auto header = FindSection(section);
    if (!header)
        return;
    std::size_t end = *header + 1;
    while (end < lines_.size() && lines_[end].kind != Kind::Section)
        ++end;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    Reindex();
}

std::string TProfileFile::LineBreak() const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view text = Text(i);
        if (lines_[i].several)
            text = text.substr(0, text.find('\n') + 1);
        if (!BreakOf(text).empty())
            return std::string(BreakOf(text));
    }
    return "\n";
}

TProfileFile::Line TProfileFile::Store(std::string_view text, Kind kind) {
    if (text_.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("profile file of 4 GiB or more");
    const Line line{static_cast<std::uint32_t>(text_.size()),
                    static_cast<std::uint32_t>(text.size()), kind};
    text_ += text;
    return line;
}

void TProfileFile::EnsureBreak(std::size_t line, const std::string& lineBreak) {
    const std::string_view text = Text(line);
    if (!BreakOf(text).empty())
        return;
    const std::string_view added = text.ends_with('\r') ? std::string_view("\n") : lineBreak;
    if (lines_[line].begin + lines_[line].size == text_.size()) {
        (void)Store(added, lines_[line].kind);
        lines_[line].size += static_cast<std::uint32_t>(added.size());
        return;
    }
    const bool several = lines_[line].several;
    lines_[line] = Store(std::string(text) + std::string(added), lines_[line].kind);
    lines_[line].several = several;
}

// A line at the end of the file: it belongs to the last section, or is a section of its own.
void TProfileFile::Append(std::string_view text) {
    const Parsed parsed = Parse(text);
    lines_.push_back(Store(text, parsed.kind));
    const auto at = static_cast<std::uint32_t>(lines_.size() - 1);
    if (parsed.kind == Kind::Section && !FindSection(parsed.name)) {
        InsertSorted(sections_, Ref{NameHash(parsed.name), 0, at});
    } else if (parsed.kind == Kind::Entry) {
        std::size_t header = at;
        while (header-- > 0 && lines_[header].kind != Kind::Section) {
        }
        if (header != std::string::npos && !FindEntry(header, parsed.name))
            InsertSorted(entries_,
                         Ref{NameHash(parsed.name), static_cast<std::uint32_t>(header), at});
    }
}

// A line inside the section with that header, after its last entry: only other lines follow.
void TProfileFile::Insert(std::size_t at, std::string_view text, std::size_t header) {
    const Parsed parsed = Parse(text);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Store(text, parsed.kind));
    // A key that reads as a section header splits the section: rare enough to index anew.
    if (parsed.kind == Kind::Section) {
        Reindex();
        return;
    }
    const auto shift = [at](std::uint32_t& index) { index += index >= at ? 1 : 0; };
    for (Ref& ref : sections_)
        shift(ref.line);
    for (Ref& ref : entries_) {
        shift(ref.section);
        shift(ref.line);
    }
    if (parsed.kind == Kind::Entry && !FindEntry(header, parsed.name))
        InsertSorted(entries_, Ref{NameHash(parsed.name), static_cast<std::uint32_t>(header),
                                   static_cast<std::uint32_t>(at)});
}

void TProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    std::string clean(value);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; },
        ' ');
    const std::string lineBreak = LineBreak();
    const std::string entry = std::string(key) + "=" + clean + lineBreak;

    const auto header = FindSection(section);
    if (!header) {
        AddSection(section);
        Append(entry);
        return;
    }
    if (const auto line = FindEntry(*header, key)) {
        const std::string_view text = Text(*line);
        const std::string replaced = std::string(text.substr(0, Parse(text).equals + 1)) + clean +
                                     std::string(BreakOf(text));
        lines_[*line] = Store(replaced, Kind::Entry);
        return;
    }
    // After the section's last entry, or after its header when it has none.
    std::size_t insertAfter = *header;
    while (const auto next = NextEntry(insertAfter))
        insertAfter = *next;
    EnsureBreak(insertAfter, lineBreak);
    Insert(insertAfter + 1, entry, *header);
}
