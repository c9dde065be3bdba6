#pragma once
// Per-pixel mixing rules shared by every compositing loop. Inline so that the
// row walks that use them stay free of calls.
#include "model/Color32.h"
#include "model/FixedPoint.h"

#include <cstdint>

namespace kv {

// s.A x f at or above this rounds the effective alpha to 255.
inline constexpr std::uint32_t kOpaqueThreshold = 0xFE800000u;

// The effective alpha of a source alpha under a 24-bit opacity fraction.
constexpr std::uint32_t EffectiveAlpha(std::uint32_t alpha, std::uint32_t fraction) {
    return (alpha * fraction + (1u << 23)) >> 24;
}

// The colors of d and s weighted by the alphas b and a; the alphas add up.
inline Color32 WeightedMix(Color32 d, Color32 s, std::uint32_t a, std::uint32_t b) {
    const std::uint32_t sum = a + b;
    const std::uint64_t r = ReciprocalTable[sum];
    const auto channel = [&](unsigned dc, unsigned sc) {
        return static_cast<std::uint32_t>(((dc * b + sc * a) * r + (1u << 23)) >> 24);
    };
    return sum << 24 | channel(RedOf(d), RedOf(s)) << 16 | channel(GreenOf(d), GreenOf(s)) << 8 |
           channel(BlueOf(d), BlueOf(s));
}

// s over d with s's effective alpha a (1..255): the destination keeps the
// share (255 - a) of its own alpha; colors are weighted by the two alphas.
inline Color32 MixOver(Color32 d, Color32 s, std::uint32_t a) {
    const std::uint32_t b = ((255u - a) * AlphaOf(d) * 65793u + (1u << 23)) >> 24;
    return WeightedMix(d, s, a, b);
}

// The full blend-over rule for one pixel with an opacity fraction f >= 1.
inline Color32 BlendOverPixel(Color32 d, Color32 s, std::uint32_t f) {
    const std::uint32_t sa = AlphaOf(s);
    if (sa == 0) return d;
    const std::uint32_t product = sa * f;
    if (product >= kOpaqueThreshold) return s;
    return MixOver(d, s, (product + (1u << 23)) >> 24);
}

// The mask rule: m of the source, at most (255 - m) of the destination alpha.
inline Color32 MergeMaskedPixel(Color32 d, Color32 s, std::uint32_t m) {
    if (m == 0) return d;
    if (m == 255) return s;
    const std::uint32_t a = Div255(m * AlphaOf(s));
    const std::uint32_t rest = 255u - m;
    const std::uint32_t b = AlphaOf(d) < rest ? AlphaOf(d) : rest;
    return WeightedMix(d, s, a, b);
}

} // namespace kv
