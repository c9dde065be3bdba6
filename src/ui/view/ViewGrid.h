#pragma once
// The grids over the magnified image: lines along the boundaries between
// cells of `spacing` screen pixels, counted from the image's top-left corner.
#include "model/Color32.h"
#include "model/Geometry.h"
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

struct GridStyle {
    std::int32_t spacing = 0;
    // The two colours alternate along each line, every kGridDash pixels.
    Color32 colorA = 0;
    Color32 colorB = 0;
    // The 24-bit opacity fraction; the colours' own alpha scales it.
    std::uint32_t fraction = 0;
};

inline constexpr std::int32_t kGridDash = 2;

// Blends the lines between the cells of `image` (the scaled image in buffer
// coordinates; its outer edges get none) into the buffer inside `area`.
// Where two lines cross the pixel is blended once.
void DrawGrid(PixelArray& buffer, const Rect& area, const Rect& image, const GridStyle& style);

} // namespace kv
