#include "model/DateTime.h"

#include <cmath>
#include <limits>

namespace {

using namespace std::chrono;

// Day number of 30 December 1899 counted from the Unix epoch.
constexpr sys_days Epoch = sys_days{year{1899} / December / 30};

// Days of the earliest and the latest valid date, relative to the epoch.
const double FirstDay = (sys_days{year{MinYear} / January / 1} - Epoch).count();
const double LastDay = (sys_days{year{MaxYear} / December / 31} - Epoch).count();

// Clamps a double into the 32-bit range before conversion: out-of-range conversion is undefined.
std::int32_t TruncToInt32(double v) {
    if (!(v == v))
        return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (v <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (v >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

} // namespace

std::optional<year_month_day> DecodeDate(TDateTime date) {
    const double days = std::trunc(date);
    if (!(days >= FirstDay && days <= LastDay))
        return std::nullopt;
    return year_month_day{Epoch + std::chrono::days{static_cast<int>(days)}};
}

TDateTime EncodeDate(year_month_day date) {
    return static_cast<double>((sys_days{date} - Epoch).count());
}

std::optional<TDateTime> EncodeDate(int y, unsigned m, unsigned d) {
    // month and day keep only 8 bits: 263 would wrap to 7 and pass ok().
    if (y < MinYear || y > MaxYear || m < 1 || m > 12 || d < 1 || d > 31)
        return std::nullopt;
    const year_month_day ymd{year{y}, month{m}, day{d}};
    if (!ymd.ok())
        return std::nullopt;
    return EncodeDate(ymd);
}

TDateTime DateOf(TDateTime date) {
    return std::trunc(date);
}

std::int32_t DaysBetween(TDateTime a, TDateTime b) {
    return TruncToInt32(std::fabs(a - b));
}

std::int32_t YearsBetween(TDateTime a, TDateTime b) {
    return TruncToInt32(std::fabs(a - b) / 365.25);
}

unsigned DaysInMonth(int y, unsigned m) {
    if (m < 1 || m > 12)
        return 0;
    const year_month_day_last monthEnd{year{y} / month{m} / std::chrono::last};
    return static_cast<unsigned>(monthEnd.day());
}
