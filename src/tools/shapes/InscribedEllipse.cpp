#include "tools/shapes/InscribedEllipse.h"

#include <cmath>

namespace kv {
namespace {

using Wide = __int128;

std::int64_t FloorHalf(std::int64_t v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

} // namespace

InscribedEllipse::InscribedEllipse(const Rect& pixels, std::int32_t inset)
    : m_width2(std::int64_t{pixels.width()} - 2 * std::int64_t{inset}),
      m_height2(std::int64_t{pixels.height()} - 2 * std::int64_t{inset}),
      m_centreX2(std::int64_t{pixels.left} + pixels.right - 1),
      m_centreY2(std::int64_t{pixels.top} + pixels.bottom - 1) {}

Span InscribedEllipse::row(std::int32_t y) const {
    if (!exists()) return {};
    // With X = 2x - 2cx, Y = 2y - 2cy, A = 2a, B = 2b the test reads
    // B^2 X^2 <= A^2 (B^2 - Y^2) =: K.
    const std::int64_t dy = 2 * std::int64_t{y} - m_centreY2;
    const Wide b2 = Wide{m_height2} * m_height2;
    const Wide k = Wide{m_width2} * m_width2 * (b2 - Wide{dy} * dy);
    if (k < 0) return {};
    // The largest m with (m B)^2 <= K: from the square root, then exact.
    auto m = static_cast<std::int64_t>(std::sqrt(static_cast<long double>(k)) / m_height2);
    const auto fits = [&](std::int64_t v) {
        const Wide s = Wide{v} * m_height2;
        return s * s <= k;
    };
    while (m > 0 && !fits(m))
        --m;
    while (fits(m + 1))
        ++m;
    // 2x - 2cx in [-m, m].
    const std::int64_t x0 = -FloorHalf(m - m_centreX2), x1 = FloorHalf(m_centreX2 + m) + 1;
    return {static_cast<std::int32_t>(x0), static_cast<std::int32_t>(x1)};
}

} // namespace kv
