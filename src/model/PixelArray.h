#pragma once
#include "model/Color32.h"
#include "model/RasterArray.h"

namespace kv {

// A 32-bit raster of Color32 words.
class PixelArray : public RasterArray<Color32> {
  public:
    using RasterArray::RasterArray;
    PixelArray() = default;
    PixelArray(RasterArray&& raster) noexcept : RasterArray(std::move(raster)) {}

    static PixelArray wrap(std::int32_t width, std::int32_t height, Color32* memory) {
        return PixelArray(RasterArray::wrap(width, height, memory));
    }

    // For a 1-bit plane (rows padded to whole bytes, most significant bit
    // leftmost): pixels whose bit is 0 become transparent, color kept.
    void applyBitMaskToAlpha(const std::uint8_t* bits);
    // Color channels multiplied by alpha / 255; only for copies leaving the model.
    void premultiply();
};

} // namespace kv
