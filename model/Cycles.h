#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <vector>

// The four biorhythm cycles, always in this order.
enum class CycleKind { Physical, Emotional, Intellectual, Heart };

inline constexpr std::array<CycleKind, 4> AllCycles{CycleKind::Physical, CycleKind::Emotional,
                                                    CycleKind::Intellectual, CycleKind::Heart};

// Which of the four cycles are in use; empty when default-constructed.
class TCycleSet {
public:
    constexpr TCycleSet() = default;
    constexpr TCycleSet(std::initializer_list<CycleKind> kinds) {
        for (CycleKind kind : kinds)
            Set(kind, true);
    }
    static constexpr TCycleSet All() {
        return {AllCycles[0], AllCycles[1], AllCycles[2], AllCycles[3]};
    }

    constexpr bool Contains(CycleKind kind) const { return (bits_ & Bit(kind)) != 0; }
    constexpr void Set(CycleKind kind, bool on) {
        bits_ = on ? bits_ | Bit(kind) : bits_ & ~Bit(kind);
    }
    constexpr int Count() const { return std::popcount(bits_); }
    // The cycles in either set.
    constexpr TCycleSet operator|(TCycleSet other) const {
        other.bits_ |= bits_;
        return other;
    }

    // The cycles in use, in the order of CycleKind.
    std::vector<CycleKind> Kinds() const {
        std::vector<CycleKind> kinds;
        for (CycleKind kind : AllCycles)
            if (Contains(kind))
                kinds.push_back(kind);
        return kinds;
    }

    constexpr bool operator==(const TCycleSet&) const = default;

private:
    static constexpr unsigned Bit(CycleKind kind) { return 1u << static_cast<unsigned>(kind); }
    unsigned bits_ = 0;
};

// 2π divided by each cycle's period (23.6884, 28.4261, 33.1638 and 38 days).
inline constexpr std::array<long double, 4> CycleFactors{
    0.26524312774098657896L, 0.22103578426796452827L, 0.18945914844437568906L,
    0.16534698176788385466L};

inline constexpr long double CycleFactor(CycleKind kind) {
    return CycleFactors[static_cast<std::size_t>(kind)];
}

// A cycle's value on the given day of life: 25 × sin(days × factor), in −25..+25.
long double CycleValue(std::int32_t days, long double factor);

// The four cycles' values on a day of life, in the order of CycleKind.
using TCycleValues = std::array<long double, 4>;
TCycleValues CycleValues(std::int32_t days);

// The sum of the values of `cycles`, added in the order of CycleKind in 80 bits: what the good
// and bad days are found in. One order of adding everywhere gives the same days everywhere.
long double SumOf(const TCycleValues& values, TCycleSet cycles);
// Their mean, as the average chart draws it; 0 when no cycle is in use.
long double MeanOf(const TCycleValues& values, TCycleSet cycles);

// The same on a day of life, computing only the cycles in use.
long double CycleSum(std::int32_t days, TCycleSet cycles);
long double CycleMean(std::int32_t days, TCycleSet cycles);

// The cycle values of a run of days of life, each computed once: what the curves, the average and
// the good and bad day search of one refresh share. A day outside the run is computed at each
// asking. The results are those of the functions above, bit for bit.
class TCycleTable {
public:
    TCycleTable() = default; // no days
    // Days of life first..last; none when that is longer than a year.
    TCycleTable(std::int32_t first, std::int32_t last);

    long double Value(std::int32_t days, CycleKind kind) const;
    long double Sum(std::int32_t days, TCycleSet cycles) const;
    long double Mean(std::int32_t days, TCycleSet cycles) const;

private:
    // The day's values; none outside the run.
    const TCycleValues* Values(std::int32_t days) const;

    std::int32_t first_ = 0;
    std::vector<TCycleValues> values_;
};
