#pragma once

// Biorhythm values worked out from their definitions, without the model's code, for tests to
// compare the model with. Dates are day numbers (whole days since 30 December 1899); a set of
// cycles is a mask with bit 0 physical, 1 emotional, 2 intellectual and 3 heart.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

namespace formula {

inline constexpr std::array<long double, 4> Periods{23.6884L, 28.4261L, 33.1638L, 38.0L};
inline constexpr unsigned AllCycles = 0xF;

inline long double Cycle(long long days, int cycle) {
    return 25.0L *
           std::sin(2.0L * std::numbers::pi_v<long double> * static_cast<long double>(days) /
                    Periods[static_cast<std::size_t>(cycle)]);
}

inline long long DaysOfLife(double day, double birth) {
    return static_cast<long long>(std::trunc(std::fabs(day - birth)));
}

inline long double Sum(double day, double birth, unsigned cycles) {
    long double sum = 0;
    for (int c = 0; c < 4; ++c)
        if (cycles & (1u << c))
            sum += Cycle(DaysOfLife(day, birth), c);
    return sum;
}

inline long double Average(double day, double birth, unsigned cycles) {
    const int used = std::popcount(cycles & AllCycles);
    return used == 0 ? 0 : Sum(day, birth, cycles) / used;
}

// Whether v rounds to n (ties to even). The model's factors are rounded otherwise than
// 2π / period here, so within a hair of a tie either neighbour counts.
inline bool RoundsTo(long double v, int n) {
    if (std::fabs(std::fabs(v - std::trunc(v)) - 0.5L) < 1e-9L)
        return std::fabs(v - n) <= 0.5L + 1e-9L;
    return std::nearbyint(v) == n;
}

struct Extrema {
    double good = 0; // 0: none
    double bad = 0;
    long double goodValue = 0; // the sum on the day, or on the scan's first day when none
    long double badValue = 0;
    bool tooCloseToCall = false; // two neighbouring sums differ by a rounding error only
};

// The first strict local maximum and minimum of the daily sum, each the middle of three days
// that all lie from the scan's start (the day before the prognosis date, or the birth date when
// later) to the day before the window's last day.
inline Extrema FirstExtrema(double prognose, double birth, double lastDay, unsigned cycles) {
    const auto s = [&](double d) { return Sum(d, birth, cycles); };
    const double start = std::max(prognose - 1, birth);
    Extrema e;
    e.goodValue = e.badValue = s(start);
    for (double c = start + 1; c + 1 <= lastDay - 1; c += 1) {
        const long double before = s(c - 1), here = s(c), after = s(c + 1);
        if (cycles != 0 && (e.good == 0 || e.bad == 0) &&
            (std::fabs(here - before) < 1e-9L || std::fabs(here - after) < 1e-9L))
            e.tooCloseToCall = true;
        if (e.good == 0 && here > before && here > after) {
            e.good = c;
            e.goodValue = here;
        }
        if (e.bad == 0 && here < before && here < after) {
            e.bad = c;
            e.badValue = here;
        }
    }
    return e;
}

} // namespace formula
