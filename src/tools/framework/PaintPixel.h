#pragma once
// How every painting tool changes one pixel, by the view's channel mode, and
// how the selection mask limits a tool's strength. Inline: the tools' row
// walks call these for every pixel.
#include "model/Blending.h"
#include "model/ChannelMode.h"
#include "model/Color32.h"
#include "model/FixedPoint.h"

#include <cstdint>
#include <type_traits>

namespace kv {

// dst painted with src at strength a (0 leaves dst as it is).
template <ChannelMode M> inline Color32 PaintPixelAs(Color32 dst, Color32 src, std::uint32_t a) {
    if (a == 0) return dst;
    const std::uint32_t rest = 255u - a;
    if constexpr (M == ChannelMode::Normal) {
        if (a == 255) return src;
        // Colours weighted by what each side keeps of its alpha; nothing
        // left at all gives transparent black.
        const std::uint32_t sa = Div255(AlphaOf(src) * a);
        const std::uint32_t da = Div255(AlphaOf(dst) * rest);
        return WeightedMix(dst, src, sa, da);
    } else if constexpr (M == ChannelMode::ColorOnly) {
        const auto mix = [&](unsigned d, unsigned s) { return Div255(d * rest + s * a); };
        return MakeColor32(mix(RedOf(dst), RedOf(src)), mix(GreenOf(dst), GreenOf(src)),
                           mix(BlueOf(dst), BlueOf(src)), AlphaOf(dst));
    } else {
        return WithAlpha(dst, Div255(AlphaOf(dst) * rest + AlphaOf(src) * a));
    }
}

inline Color32 PaintPixel(Color32 dst, Color32 src, std::uint32_t a, ChannelMode mode) {
    switch (mode) {
    case ChannelMode::ColorOnly:
        return PaintPixelAs<ChannelMode::ColorOnly>(dst, src, a);
    case ChannelMode::AlphaOnly:
        return PaintPixelAs<ChannelMode::AlphaOnly>(dst, src, a);
    default:
        return PaintPixelAs<ChannelMode::Normal>(dst, src, a);
    }
}

// Calls f with the mode as a compile-time constant, so that a row walk picks
// its pixel rule once instead of at every pixel.
template <class F> inline void WithChannelMode(ChannelMode mode, F&& f) {
    switch (mode) {
    case ChannelMode::ColorOnly:
        f(std::integral_constant<ChannelMode, ChannelMode::ColorOnly>{});
        break;
    case ChannelMode::AlphaOnly:
        f(std::integral_constant<ChannelMode, ChannelMode::AlphaOnly>{});
        break;
    default:
        f(std::integral_constant<ChannelMode, ChannelMode::Normal>{});
        break;
    }
}

// A soft tool's strength a under a mask byte m.
constexpr std::uint32_t MaskedStrength(std::uint32_t a, std::uint32_t m) {
    return (m * a * 65793u + (1u << 23)) >> 24;
}
// A hard-edged tool paints at 255, so under the mask its strength is the byte.
constexpr std::uint32_t MaskedHardStrength(std::uint32_t a, std::uint32_t m) {
    return a & m;
}

} // namespace kv
