#pragma once

#include <array>
#include <cstdint>

// The four biorhythm cycles, always in this order.
enum class CycleKind { Physical, Emotional, Intellectual, Heart };

inline constexpr std::array<CycleKind, 4> AllCycles{CycleKind::Physical, CycleKind::Emotional,
                                                    CycleKind::Intellectual, CycleKind::Heart};

// 2π divided by each cycle's period (23.6884, 28.4261, 33.1638 and 38 days).
inline constexpr std::array<long double, 4> CycleFactors{
    0.26524312774098657896L, 0.22103578426796452827L, 0.18945914844437568906L,
    0.16534698176788385466L};

inline constexpr long double CycleFactor(CycleKind kind) {
    return CycleFactors[static_cast<std::size_t>(kind)];
}

// A cycle's value on the given day of life: 25 × sin(days × factor), in −25..+25.
long double CycleValue(std::int32_t days, long double factor);
