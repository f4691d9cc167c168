#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An initialisation file, kept as its bytes and edited in place: sections in square brackets,
// entries "key=value", everything else (comments, blank lines, lines that are neither) kept byte
// for byte. Section and key names match without regard to ASCII letter case; the first matching
// section and, inside it, the first matching key win. Decoding the bytes to text is the caller's.
class TProfileFile {
public:
    // Longer values are cut, as the desktop's profile functions cut them.
    static constexpr std::size_t MaxValueLength = 2047;

    TProfileFile() = default;
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

    // Replaces an entry's value in place, or adds the entry after the last entry of its section,
    // or adds the section at the end. Line breaks in the value are turned into blanks, so a value
    // can never become lines of its own.
    void Write(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        std::string name;       // section name or key, blanks trimmed
        std::size_t equals = 0; // position of "=" in an entry's text
    };

    static Line Parse(std::string_view text);
    // The line range [first, end) of the first section of that name, header excluded.
    std::optional<std::pair<std::size_t, std::size_t>> FindSection(std::string_view section) const;
    std::string LineBreak() const;

    std::vector<std::string> lines_; // each with its own line break, if it had one
};
