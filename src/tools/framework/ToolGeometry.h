#pragma once
// The coordinates tools work in. Positions are ImagePoints in 1/256 image
// pixel; rectangles in those units convert to layer pixels (256 >> level
// units each: 256 on a plain layer, 32 on the 8x level of a supersampled one)
// and to image pixels by rounding outwards.
#include "model/Geometry.h"

#include <cstdint>

namespace kv {

// A position inside an image in units of 1/256 pixel, origin at the image's
// top-left corner.
struct ImagePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(ImagePoint, ImagePoint) = default;
};

inline constexpr std::int32_t kUnitsPerPixel = 256;
// The detail level of a supersampled layer's editable raster.
inline constexpr int kDetailLevel = 3;

// The centre of the client pixel under the pointer, for a view whose image
// origin lies at `origin` at zoom z; left of or above the image the result is
// floored toward minus infinity.
ImagePoint ViewToImage(Point client, Point origin, int zoom);
// The client pixel that shows an image point.
Point ImageToClient(ImagePoint p, Point origin, int zoom);
// The image pixel a point lies in.
constexpr Point ImagePixelOf(ImagePoint p) {
    return {p.x >> 8, p.y >> 8};
}

// One layer pixel in image units at a level (0 or 3).
constexpr std::int32_t LayerPixelUnits(int level) {
    return kUnitsPerPixel >> level;
}
// Screen pixels covered by a width in image units at a zoom, rounded up.
constexpr std::int32_t OnScreenWidth(std::int32_t units, int zoom) {
    return (units * zoom + 255) >> 8;
}

// An image-unit rectangle as the layer pixels it touches (s = 8 - level).
Rect UnitsToLayerPixels(const Rect& units, int level);
// An image-unit rectangle as the image pixels it touches.
Rect UnitsToImagePixels(const Rect& units);
// A layer-pixel rectangle back in image units.
Rect LayerPixelsToUnits(const Rect& pixels, int level);
// The image-unit rectangle widened to whole layer pixels.
Rect WidenToLayerPixels(const Rect& units, int level);
// The bounds of a w x h layer (in image pixels) in image units.
constexpr Rect LayerBoundsInUnits(std::int32_t width, std::int32_t height) {
    return {0, 0, width << 8, height << 8};
}
// An image-unit rectangle in client pixels, for invalidating the view.
Rect UnitsToClient(const Rect& units, Point origin, int zoom);

// x rounded down to a multiple of a positive step.
constexpr std::int32_t FloorToMultiple(std::int32_t x, std::int32_t step) {
    const std::int32_t q = x / step;
    return (q * step > x ? q - 1 : q) * step;
}

} // namespace kv
