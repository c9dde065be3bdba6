#pragma once
#include "model/RasterArray.h"

#include <cstdint>

namespace kv {

// An 8-bit raster: 0 unselected or transparent, 255 fully selected.
class MaskArray : public RasterArray<std::uint8_t> {
  public:
    using RasterArray::RasterArray;
    MaskArray() = default;
    MaskArray(RasterArray&& raster) noexcept : RasterArray(std::move(raster)) {}

    static MaskArray wrap(std::int32_t width, std::int32_t height, std::uint8_t* memory) {
        return MaskArray(RasterArray::wrap(width, height, memory));
    }

    // Every byte b becomes 255 - b.
    void invert();
};

} // namespace kv
