#pragma once
#include "model/Geometry.h"

#include <cstdint>

namespace kv {

// The pixels of a row from x0 up to x1 (exclusive); empty when x0 >= x1.
struct Span {
    std::int32_t x0 = 0;
    std::int32_t x1 = 0;
    constexpr bool isEmpty() const { return x0 >= x1; }
    constexpr bool contains(std::int32_t x) const { return x >= x0 && x < x1; }
};

// The ellipse inscribed in a rectangle of pixels, with pixel centres at
// integer coordinates: centre ((L + R - 1) / 2, (T + B - 1) / 2), semi-axes
// half the width and half the height, optionally both shrunk by an inset.
// A pixel is inside when b^2 (x - cx)^2 + a^2 (y - cy)^2 <= a^2 b^2, decided
// exactly in whole numbers (all terms doubled so the half-pixel centres stay
// integers).
class InscribedEllipse {
  public:
    InscribedEllipse(const Rect& pixels, std::int32_t inset = 0);

    // False when a semi-axis is 0 or less: no pixel is inside.
    bool exists() const { return m_width2 > 0 && m_height2 > 0; }
    bool contains(std::int32_t x, std::int32_t y) const { return row(y).contains(x); }
    // The inside pixels of row y; each row of an ellipse is one run.
    Span row(std::int32_t y) const;

  private:
    // Twice the semi-axes and twice the centre.
    std::int64_t m_width2;
    std::int64_t m_height2;
    std::int64_t m_centreX2;
    std::int64_t m_centreY2;
};

} // namespace kv
