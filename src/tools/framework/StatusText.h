#pragma once
// The texts tools put into the status bar.
#include "model/Color32.h"
#include "tools/framework/ToolGeometry.h"

#include <cstdint>
#include <string>

namespace kv {

// "%d,%d": the image pixel of a point.
std::string PositionText(ImagePoint p);
// "%d,%d,%d" for an opaque colour, "%d,%d,%d : %d" with its alpha otherwise.
std::string ColorText(Color32 color);
// "%d : %d": a size or distance in image units, each rounded to whole pixels.
std::string PixelSizeText(std::int32_t dx, std::int32_t dy);
// "%.3f : %.3f": the same in fractional pixels.
std::string FractionalSizeText(std::int32_t dx, std::int32_t dy);
// "%d x %d": a width and height in image units, each rounded to whole pixels.
std::string PixelDimensionsText(std::int32_t width, std::int32_t height);
// "%.3f x %.3f": the same in fractional pixels.
std::string FractionalDimensionsText(std::int32_t width, std::int32_t height);

} // namespace kv
