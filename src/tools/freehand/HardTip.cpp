#include "tools/freehand/HardTip.h"

#include "tools/framework/PaintPixel.h"
#include "tools/framework/PaintTarget.h"

#include <cstdlib>

namespace kv {
namespace {

// Everything below works in doubled layer-pixel coordinates, where pixel
// centres and pixel corners are both integers, so every test is exact.
struct Vec {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    const std::int64_t q = n / d;
    return (n % d != 0 && (n < 0) != (d < 0)) ? q - 1 : q;
}

// n / d rounded to nearest, ties to even.
std::int64_t RoundHalfEven(std::int64_t n, std::int64_t d) {
    if (d < 0) n = -n, d = -d;
    const std::int64_t q = FloorDiv(n, d);
    const std::int64_t twice = 2 * (n - q * d);
    if (twice > d || (twice == d && (q & 1))) return q + 1;
    return q;
}

// The tip centre of a painting rectangle, doubled.
Vec DoubledCentre(const Rect& r, std::int32_t unit) {
    return {(r.left + r.right) / unit - 1, (r.top + r.bottom) / unit - 1};
}

// The shape swept by the tip from c0 to c1.
class Sweep {
  public:
    Sweep(Vec c0, Vec c1, std::int32_t size)
        : m_c0(c0), m_c1(c1), m_d{c1.x - c0.x, c1.y - c0.y}, m_len2(m_d.x * m_d.x + m_d.y * m_d.y),
          m_diameter2(std::int64_t{size} * size), m_even(size % 2 == 0 ? 1 : 0),
          m_xMajor(std::llabs(m_d.x) >= std::llabs(m_d.y)),
          m_reach2(static_cast<double>(size + 2) * (size + 2) * static_cast<double>(m_len2)) {}

    bool covers(Vec p) const {
        if (m_len2 == 0) return within(p, m_c0);
        const Vec v{p.x - m_c0.x, p.y - m_c0.y};
        // Only pixels near the line can lie in a stamp; a cheap first cut.
        const double cross = static_cast<double>(v.x * m_d.y - v.y * m_d.x);
        if (cross * cross > m_reach2) return false;
        const std::int64_t dot = v.x * m_d.x + v.y * m_d.y;
        if (dot < 0) return within(p, m_c0);
        if (dot > m_len2) return within(p, m_c1);
        return stampsCover(p, dot);
    }

  private:
    bool within(Vec p, Vec c) const {
        const std::int64_t dx = p.x - c.x, dy = p.y - c.y;
        return dx * dx + dy * dy <= m_diameter2;
    }
    std::int64_t major(Vec v) const { return m_xMajor ? v.x : v.y; }
    std::int64_t minor(Vec v) const { return m_xMajor ? v.y : v.x; }

    // The two tip positions of the digital line on either side of the foot
    // of p's perpendicular (at dot / len2 along the line).
    bool stampsCover(Vec p, std::int64_t dot) const {
        const std::int64_t dm = major(m_d), dn = minor(m_d);
        // The foot's major coordinate plus e, as a fraction over 2 len2.
        const std::int64_t num = (major(m_c0) + m_even) * m_len2 + dot * dm;
        const std::int64_t den = 2 * m_len2;
        const std::int64_t low = FloorDiv(num, den);
        const std::int64_t high = low * den == num ? low : low + 1;
        for (const std::int64_t k : {low, high}) {
            const std::int64_t m2 = 2 * k - m_even;
            // The line's minor coordinate there, plus e, rounded to the grid.
            const std::int64_t j =
                RoundHalfEven((minor(m_c0) + m_even) * dm + (m2 - major(m_c0)) * dn, 2 * dm);
            const std::int64_t n2 = 2 * j - m_even;
            const Vec candidate = m_xMajor ? Vec{m2, n2} : Vec{n2, m2};
            if (within(p, candidate)) return true;
        }
        return false;
    }

    Vec m_c0, m_c1, m_d;
    std::int64_t m_len2;
    std::int64_t m_diameter2;
    std::int64_t m_even;
    bool m_xMajor;
    double m_reach2;
};

} // namespace

Rect HardTipRect(ImagePoint p, std::int32_t size, int level) {
    const std::int32_t unit = LayerPixelUnits(level);
    const std::int32_t s = size * unit;
    const std::int32_t o = unit / 2 - s / 2;
    const std::int32_t left = FloorToMultiple(p.x + o, unit);
    const std::int32_t top = FloorToMultiple(p.y + o, unit);
    return {left, top, left + s, top + s};
}

MaskArray HardTipCells(std::int32_t size) {
    MaskArray cells(size, size);
    const Sweep disc({size, size}, {size, size}, size);
    for (std::int32_t j = 0; j < size; ++j)
        for (std::int32_t i = 0; i < size; ++i)
            cells.set(i, j, disc.covers({2 * i + 1, 2 * j + 1}) ? 255 : 0);
    return cells;
}

Rect PaintHardSegment(const PaintTarget& target, const PixelArray& before, ImagePoint a,
                      ImagePoint b, std::int32_t size, Color32 color) {
    const Rect ra = HardTipRect(a, size, target.level);
    const Rect rb = HardTipRect(b, size, target.level);
    const Rect area =
        WidenToLayerPixels(ra.united(rb).intersected(target.boundsInUnits()), target.level);
    if (area.isEmpty()) return {};
    PixelArray& pixels = *target.pixels;
    if (before.width() != pixels.width() || before.height() != pixels.height()) return {};

    const std::int32_t unit = target.pixelUnits();
    const Sweep sweep(DoubledCentre(ra, unit),
                      ra == rb ? DoubledCentre(ra, unit) : DoubledCentre(rb, unit), size);
    const Rect px = UnitsToLayerPixels(area, target.level);
    const MaskArray* mask = target.mask;
    WithChannelMode(target.channelMode, [&](auto mode) {
        for (std::int32_t y = px.top; y < px.bottom; ++y) {
            Color32* out = pixels.row(y);
            const Color32* in = before.row(y);
            const std::uint8_t* m = mask ? mask->row(y) : nullptr;
            for (std::int32_t x = px.left; x < px.right; ++x) {
                if (!sweep.covers({2 * x, 2 * y})) continue;
                const std::uint32_t strength = m ? MaskedHardStrength(255, m[x]) : 255;
                if (strength == 0) continue;
                out[x] = PaintPixelAs<decltype(mode)::value>(in[x], color, strength);
            }
        }
    });
    target.refreshFromDetail(area);
    return area;
}

} // namespace kv
