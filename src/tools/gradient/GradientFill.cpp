#include "tools/gradient/GradientFill.h"

#include "tools/framework/PaintTarget.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

// The colour of one pixel, from where it stands along the gradient.
class Ramp {
  public:
    Ramp(const Gradient& g) : m_from(g.from), m_to(g.to) {}

    Color32 at(double t) const { return Interpolate(m_from, m_to, InterpolationWeight(t)); }
    Color32 from() const { return m_from; }
    Color32 to() const { return m_to; }

  private:
    Color32 m_from, m_to;
};

// Lays one row of colours into the layer, at full strength or by the mask.
template <ChannelMode M, class ColorAt>
void PaintRow(const PaintTarget& target, std::int32_t y, std::int32_t x0, std::int32_t x1,
              const ColorAt& colorAt) {
    Color32* out = target.pixels->row(y);
    const std::uint8_t* m = target.mask ? target.mask->row(y) : nullptr;
    for (std::int32_t x = x0; x < x1; ++x) {
        const std::uint32_t a = m ? m[x] : 255;
        if (a != 0) out[x] = PaintPixelAs<M>(out[x], colorAt(x), a);
    }
}

template <ChannelMode M>
void PaintLinear(const PaintTarget& target, const Rect& area, const Gradient& g) {
    const Ramp ramp(g);
    const std::int64_t s = target.pixelUnits();
    const std::int64_t vx = g.vector.x, vy = g.vector.y;
    const std::int64_t length2 = vx * vx + vy * vy;
    const auto denominator = static_cast<double>(length2);
    // The projection's numerator, (centre - start) . vector, grows by s vx a pixel.
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const std::int64_t dy = y * s + s / 2 - g.start.y;
        const std::int64_t row = (area.left * s + s / 2 - g.start.x) * vx + dy * vy;
        PaintRow<M>(target, y, area.left, area.right, [&](std::int32_t x) {
            const std::int64_t n = row + (x - area.left) * s * vx;
            if (n <= 0) return ramp.from();
            if (n >= length2) return ramp.to();
            return ramp.at(static_cast<double>(n) / denominator);
        });
    }
}

template <ChannelMode M>
void PaintRadial(const PaintTarget& target, const Rect& area, const Gradient& g) {
    const Ramp ramp(g);
    const std::int64_t s = target.pixelUnits();
    const std::int64_t vx = g.vector.x, vy = g.vector.y;
    const std::int64_t radius2 = vx * vx + vy * vy;
    const double radius = std::sqrt(static_cast<double>(radius2));
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const std::int64_t dy = y * s + s / 2 - g.start.y;
        PaintRow<M>(target, y, area.left, area.right, [&](std::int32_t x) {
            const std::int64_t dx = x * s + s / 2 - g.start.x;
            const std::int64_t d2 = dx * dx + dy * dy;
            if (d2 >= radius2) return ramp.to();
            return ramp.at(std::sqrt(static_cast<double>(d2)) / radius);
        });
    }
}

} // namespace

void PaintGradient(const PaintTarget& target, const Rect& area, const Gradient& gradient) {
    const Rect r = area.intersected(target.pixels->bounds());
    if (r.isEmpty() || gradient.vector == Point{}) return;
    WithChannelMode(target.channelMode, [&](auto mode) {
        constexpr ChannelMode M = decltype(mode)::value;
        if (gradient.type == GradientType::Radial)
            PaintRadial<M>(target, r, gradient);
        else
            PaintLinear<M>(target, r, gradient);
    });
}

} // namespace kv
