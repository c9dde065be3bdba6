#pragma once
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

// The six ways of predicting a pixel's R, G, B from its already coded
// neighbours in the whole bitmap (left, above, above-left). A bitmap is
// stored as the bytes (actual - predicted) modulo 256; decoding adds the
// prediction back, so each prediction sees decoded pixels.
class Predictor {
  public:
    static constexpr int kMethodCount = 6;

    explicit Predictor(int method) : m_method(method) {}
    int method() const { return m_method; }

    // Writes three residual bytes (R, G, B) per pixel of row y, columns x0..x1-1.
    void encodeRow(const PixelArray& pixels, std::int32_t y, std::int32_t x0, std::int32_t x1,
                   std::uint8_t* out) const;
    // Rebuilds R, G, B of those pixels from residuals; alpha stays.
    void decodeRow(PixelArray& pixels, std::int32_t y, std::int32_t x0, std::int32_t x1,
                   const std::uint8_t* in) const;

  private:
    int m_method;
};

} // namespace kv
