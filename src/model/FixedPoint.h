#pragma once
#include <array>
#include <cmath>
#include <cstdint>

namespace kv {

// 2^24 / k rounded to nearest; entry 0 is 0. Built at compile time so that it
// is valid before anything runs.
inline constexpr std::array<std::uint32_t, 1024> ReciprocalTable = [] {
    std::array<std::uint32_t, 1024> table{};
    for (std::uint32_t k = 1; k < 1024; ++k)
        table[k] = ((1u << 24) + k / 2) / k;
    return table;
}();

// p / 255 rounded to nearest, exact for every product of two bytes.
constexpr std::uint32_t Div255(std::uint32_t p) {
    return static_cast<std::uint32_t>((std::uint64_t{p} * 65793u + (1u << 23)) >> 24);
}

// q / s rounded through the reciprocal table; s = 0 gives 0.
constexpr std::uint32_t DivByAlphaSum(std::uint32_t q, std::uint32_t s) {
    return static_cast<std::uint32_t>((std::uint64_t{q} * ReciprocalTable[s] + (1u << 23)) >> 24);
}

inline constexpr std::uint32_t kOpacityOne = 1u << 24;

// An opacity 0..1 as a 24-bit fraction, ties to even. kOpacityOne means
// "unchanged", 0 means "nothing".
inline std::uint32_t OpacityToFraction(float opacity) {
    const double scaled = static_cast<double>(opacity) * 16777216.0;
    if (!(scaled > 0.0)) return 0;
    if (scaled >= 16777216.0) return kOpacityOne;
    return static_cast<std::uint32_t>(std::nearbyint(scaled));
}

} // namespace kv
