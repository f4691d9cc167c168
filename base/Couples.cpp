#include "base/Couples.h"

#include "base/ControlCharacters.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view Prefix = "Couple";

// N of a "[CoupleN]" header, in any letter case as section names are matched: decimal digits
// without leading zeros.
std::optional<long long> CoupleNumber(std::string_view section) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (section.size() <= Prefix.size() || section.size() > Prefix.size() + 18 ||
        !std::equal(Prefix.begin(), Prefix.end(), section.begin(),
                    [&](char a, char b) { return lower(a) == lower(b); }))
        return std::nullopt;
    const std::string_view digits = section.substr(Prefix.size());
    long long n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.front() == '0' ||
        digits.front() == '+' || digits.front() == '-')
        return std::nullopt;
    return n;
}

struct TSection {
    long long Number = 0;
    std::string Name; // the header's name as the file spells it
};

// Every "[CoupleN]" header, the first of each number only, in the order of N.
std::vector<TSection> CoupleSections(const TProfileFile& file) {
    std::vector<TSection> sections;
    for (std::string& name : file.SectionNames())
        if (const auto n = CoupleNumber(name))
            sections.push_back({*n, std::move(name)});
    std::stable_sort(sections.begin(), sections.end(),
                     [](const TSection& a, const TSection& b) { return a.Number < b.Number; });
    sections.erase(
        std::unique(sections.begin(), sections.end(),
                    [](const TSection& a, const TSection& b) { return a.Number == b.Number; }),
        sections.end());
    return sections;
}

struct TFound {
    std::string Section;
    TStoredCouple Couple;
};

std::vector<TFound> FindCouples(const TProfileFile& file, const TCoupleReading& reading) {
    std::vector<TFound> found;
    for (const TSection& section : CoupleSections(file)) {
        if (found.size() == MaxCouples)
            break;
        const auto name = file.Read(section.Name, "Name");
        const auto man = file.Read(section.Name, "Man");
        const auto woman = file.Read(section.Name, "Woman");
        if (!name || !man || !woman)
            continue;
        const auto clean = CoupleName(reading.Decode(*name));
        const auto manDate = ReadStoredDate(*man, reading.Regional, reading.CurrentYear);
        const auto womanDate = ReadStoredDate(*woman, reading.Regional, reading.CurrentYear);
        if (!clean || !manDate || !womanDate ||
            std::any_of(found.begin(), found.end(),
                        [&](const TFound& f) { return f.Couple.Name == *clean; }))
            continue;
        found.push_back({section.Name, {*clean, *manDate, *womanDate}});
    }
    return found;
}

// The value that reads back as the name: one pair of surrounding quotes is taken off on reading.
std::string NameValue(const std::string& name) {
    if (name.size() < 2 || name.front() != '"' || name.back() != '"')
        return name;
    std::string value(1, '"');
    value += name;
    value += '"';
    return value;
}

void WriteDates(TProfileFile& file, const std::string& section, const TStoredCouple& couple) {
    file.Write(section, "Man", StoredDateText(couple.Man));
    file.Write(section, "Woman", StoredDateText(couple.Woman));
}

void RemoveCouples(TProfileFile& file, const std::vector<TFound>& found, std::string_view name,
                   std::string_view except = {}) {
    for (const TFound& f : found)
        if (f.Couple.Name == name && f.Section != except)
            file.RemoveSection(f.Section);
}

} // namespace

std::optional<std::string> CoupleName(std::string_view utf8) {
    std::string name = WithoutControlCharacters(utf8);
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    const auto codePoints = std::count_if(name.begin(), name.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (static_cast<std::size_t>(codePoints) > MaxCoupleNameLength)
        return std::nullopt;
    return name;
}

std::vector<TStoredCouple> ReadCouples(const TProfileFile& file, const TCoupleReading& reading) {
    std::vector<TStoredCouple> couples;
    for (TFound& found : FindCouples(file, reading))
        couples.push_back(std::move(found.Couple));
    return couples;
}

TCoupleChange SaveCouple(TProfileFile& file, const TCoupleReading& reading,
                         const TStoredCouple& couple) {
    const std::vector<TFound> found = FindCouples(file, reading);
    for (const TFound& f : found)
        if (f.Couple.Name == couple.Name) {
            WriteDates(file, f.Section, couple);
            return TCoupleChange::Done;
        }
    if (found.size() >= MaxCouples)
        return TCoupleChange::Full;
    const std::vector<TSection> sections = CoupleSections(file);
    const std::string section =
        std::string(Prefix) + std::to_string(sections.empty() ? 1 : sections.back().Number + 1);
    // The settings come first in a file the program makes: the close then writes them under
    // this header, before the couples.
    file.AddSection("Settings");
    file.Write(section, "Name", NameValue(couple.Name));
    WriteDates(file, section, couple);
    return TCoupleChange::Done;
}

TCoupleChange RenameCouple(TProfileFile& file, const TCoupleReading& reading, std::string_view from,
                           std::string_view to) {
    const std::vector<TFound> found = FindCouples(file, reading);
    const auto renamed = std::find_if(found.begin(), found.end(),
                                      [&](const TFound& f) { return f.Couple.Name == from; });
    if (renamed == found.end())
        return TCoupleChange::Missing;
    RemoveCouples(file, found, to, renamed->Section);
    file.Write(renamed->Section, "Name", NameValue(std::string(to)));
    return TCoupleChange::Done;
}

TCoupleChange DeleteCouple(TProfileFile& file, const TCoupleReading& reading,
                           std::string_view name) {
    const std::vector<TFound> found = FindCouples(file, reading);
    if (std::none_of(found.begin(), found.end(),
                     [&](const TFound& f) { return f.Couple.Name == name; }))
        return TCoupleChange::Missing;
    RemoveCouples(file, found, name);
    return TCoupleChange::Done;
}
