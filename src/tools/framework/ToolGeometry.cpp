#include "tools/framework/ToolGeometry.h"

namespace kv {
namespace {

// Truncating division turned into flooring for a positive divisor.
std::int32_t FloorDiv(std::int32_t n, std::int32_t d) {
    return n >= 0 ? n / d : (n - d + 1) / d;
}

Rect RoundOutwards(const Rect& units, int shift) {
    return {units.left >> shift, units.top >> shift, ((units.right - 1) >> shift) + 1,
            ((units.bottom - 1) >> shift) + 1};
}

} // namespace

ImagePoint ViewToImage(Point client, Point origin, int zoom) {
    return {FloorDiv((client.x - origin.x) * kUnitsPerPixel + 128, zoom),
            FloorDiv((client.y - origin.y) * kUnitsPerPixel + 128, zoom)};
}

Point ImageToClient(ImagePoint p, Point origin, int zoom) {
    return {((zoom * p.x) >> 8) + origin.x, ((zoom * p.y) >> 8) + origin.y};
}

Rect UnitsToLayerPixels(const Rect& units, int level) {
    return RoundOutwards(units, 8 - level);
}

Rect UnitsToImagePixels(const Rect& units) {
    return RoundOutwards(units, 8);
}

Rect LayerPixelsToUnits(const Rect& pixels, int level) {
    const int s = 8 - level;
    return {pixels.left << s, pixels.top << s, pixels.right << s, pixels.bottom << s};
}

Rect WidenToLayerPixels(const Rect& units, int level) {
    return LayerPixelsToUnits(UnitsToLayerPixels(units, level), level);
}

Rect UnitsToClient(const Rect& units, Point origin, int zoom) {
    if (units.isEmpty()) return {};
    const Point tl = ImageToClient({units.left, units.top}, origin, zoom);
    // The last unit inside the rectangle decides the last client pixel.
    const Point br = ImageToClient({units.right - 1, units.bottom - 1}, origin, zoom);
    return {tl.x, tl.y, br.x + 1, br.y + 1};
}

} // namespace kv
