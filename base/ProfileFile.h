#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An initialisation file, kept as its bytes and edited in place: sections in square brackets,
// entries "key=value", everything else (comments, blank lines, lines that are neither) kept byte
// for byte. Section and key names match without regard to ASCII letter case; the first matching
// section and, inside it, the first matching key win. A UTF-8 byte-order mark at the start is
// kept and read through. Decoding the bytes to text is the caller's.
//
// The bytes are parsed once, when the file is made: every read after that is a look-up, so a
// file of many megabytes costs one pass however many entries are read.
class TProfileFile {
public:
    // Longer values are cut, as the desktop's profile functions cut them.
    static constexpr std::size_t MaxValueLength = 2047;

    TProfileFile() = default;
    // Throws std::length_error for 4 GiB or more.
    explicit TProfileFile(std::string_view bytes);

    std::string Bytes() const;

    // The value of an entry: blanks around it ignored, one pair of surrounding double quotes
    // removed, cut to MaxValueLength bytes (less, rather than split a UTF-8 character); nothing
    // when the entry is missing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback) const;

    // A section counts as present only when it holds an entry.
    bool HasSection(std::string_view section) const;
    std::vector<std::string> Keys(std::string_view section) const;

    // The names of the section headers, in the order of the file, namesakes included.
    std::vector<std::string> SectionNames() const;
    // Adds an empty section at the end when none of that name is there.
    void AddSection(std::string_view section);
    // Removes the first section of that name: its header and every line up to the next header.
    void RemoveSection(std::string_view section);

    // Replaces an entry's value in place, or adds the entry after the last entry of its section,
    // or adds the section at the end. Line breaks in the value are turned into blanks, so a value
    // can never become lines of its own.
    void Write(std::string_view section, std::string_view key, std::string_view value);

private:
    enum class Kind : std::uint8_t { Other, Section, Entry };
    struct Parsed {
        Kind kind = Kind::Other;
        std::string_view name;  // section name or key, blanks trimmed
        std::size_t equals = 0; // position of "=" in an entry's text
    };
    // A section header, an entry, or a run of other lines as the file held them; its text, with
    // the line break it had, lies in text_.
    struct Line {
        std::uint32_t begin = 0;
        std::uint32_t size = 0;
        Kind kind = Kind::Other;
        bool several = false; // a run of more than one line
    };
    // A section header (section unused) or an entry of the section whose header is that line.
    struct Ref {
        std::uint32_t hash = 0;
        std::uint32_t section = 0;
        std::uint32_t line = 0;
    };

    static Parsed Parse(std::string_view text);
    std::string_view Text(std::size_t line) const;
    std::string_view NameOf(std::size_t line) const;
    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindEntry(std::size_t header, std::string_view key) const;
    // The section's first entry line after `line` (its header or one of its lines), if any.
    std::optional<std::size_t> NextEntry(std::size_t line) const;
    std::string LineBreak() const;
    void EnsureBreak(std::size_t line, const std::string& lineBreak);
    Line Store(std::string_view text, Kind kind);
    void Append(std::string_view text);
    void Insert(std::size_t at, std::string_view text, std::size_t header);
    void Index(Kind kind, std::string_view name, std::size_t line, std::size_t header);
    void Reindex();
    void SortIndex();

    bool byteOrderMark_ = false;
    std::string text_; // the bytes read, then the text of every line written since
    std::vector<Line> lines_;
    std::vector<Ref> sections_; // by hash, then line; the first section of each name only
    std::vector<Ref> entries_;  // by hash, section, line; the first key of each name only
};
