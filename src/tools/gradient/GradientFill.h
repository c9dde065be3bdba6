#pragma once
// The colours of a linear or radial gradient and how they are laid into a
// layer. Positions are worked out from image units, where every pixel centre
// and both end points are whole numbers, so where a pixel stands against
// the start and the end is decided exactly; only the fraction in between is
// a floating-point quotient.
#include "model/Color32.h"
#include "model/Geometry.h"
#include "tools/framework/ToolGeometry.h"

#include <cstdint>

namespace kv {

struct PaintTarget;

enum class GradientType { Linear = 1, Radial = 2 };

struct Gradient {
    GradientType type = GradientType::Linear;
    ImagePoint start;
    // From the start point to the end point, image units; not (0, 0).
    Point vector;
    Color32 from = 0;
    Color32 to = 0;
};

// t x 2^24 for 0 <= t <= 1, rounded to nearest, ties to even: adding 2^52
// leaves no bits for a fraction, so the sum is rounded to a whole number by
// the default rounding mode, which takes halves to even.
inline std::uint32_t InterpolationWeight(double t) {
    constexpr double kNoFraction = 4503599627370496.0;
    return static_cast<std::uint32_t>((t * 16777216.0 + kNoFraction) - kNoFraction);
}

// Each straight (not premultiplied) channel (c0 x (2^24 - w) + c1 x w + 2^23) >> 24.
inline Color32 Interpolate(Color32 c0, Color32 c1, std::uint32_t w) {
    const std::uint64_t keep = (1u << 24) - w;
    const auto channel = [&](unsigned shift) {
        const std::uint64_t a = (c0 >> shift) & 0xFFu, b = (c1 >> shift) & 0xFFu;
        return static_cast<Color32>((a * keep + b * w + (1u << 23)) >> 24) << shift;
    };
    return channel(24) | channel(16) | channel(8) | channel(0);
}

// Paints the gradient into the target's pixels inside `area` (layer pixels),
// limited by the selection.
void PaintGradient(const PaintTarget& target, const Rect& area, const Gradient& gradient);

} // namespace kv
