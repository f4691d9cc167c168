#pragma once

#include "base/ProfileFile.h"
#include "base/SettingsCodec.h"
#include "model/DateTime.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The couples a user keeps: each a section "[CoupleN]" of the settings file, after "[Settings]",
// with the entries "Name", "Man" and "Woman" (dates in the program's stored form).

inline constexpr std::size_t MaxCouples = 1000;
inline constexpr std::size_t MaxCoupleNameLength = 100; // in code points

struct TStoredCouple {
    std::string Name; // UTF-8
    TDateTime Man = 0;
    TDateTime Woman = 0;

    bool operator==(const TStoredCouple&) const = default;
};

// A name as typed or stored: control characters removed, blanks around it trimmed; nothing when
// no character is left or more than MaxCoupleNameLength are.
std::optional<std::string> CoupleName(std::string_view utf8);

// How a file's couples are read: the names' bytes as UTF-8 (as the "Language" entry is read), the
// dates as the birth dates of "[Settings]" are.
struct TCoupleReading {
    std::function<std::string(std::string_view)> Decode;
    TShortDateFormat Regional;
    int CurrentYear = 2000;
};

// Every "[CoupleN]" with a name and two dates that read, in the order of N, at most MaxCouples;
// a section whose name an earlier one took is skipped, as is a damaged one.
std::vector<TStoredCouple> ReadCouples(const TProfileFile& file, const TCoupleReading& reading);

// One change to the couples of a file as it is on disk; every other line stays byte for byte.
enum class TCoupleChange {
    Done,
    Missing, // no couple of that name: nothing changed
    Full,    // MaxCouples are kept already: nothing added
};

// Gives the couple of that name the two dates, or adds a section for a new name after the last
// section, numbered past every "[CoupleN]" of the file, damaged ones too.
TCoupleChange SaveCouple(TProfileFile& file, const TCoupleReading& reading,
                         const TStoredCouple& couple);
// Renames a couple; a couple that had the new name already is deleted.
TCoupleChange RenameCouple(TProfileFile& file, const TCoupleReading& reading, std::string_view from,
                           std::string_view to);
// Deletes the couple of that name: every section that reads as a couple of that name.
TCoupleChange DeleteCouple(TProfileFile& file, const TCoupleReading& reading,
                           std::string_view name);
