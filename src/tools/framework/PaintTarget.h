#pragma once
// What a painting tool paints into, gathered once at the press: the current
// layer's editable raster with its level, and the selection mask at the same
// resolution when a selection is active.
#include "model/Geometry.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"
#include "tools/framework/PaintPixel.h"

#include <cstdint>
#include <optional>

namespace kv {

class Image;
class Layer;

// The current layer when it is a visible raster layer, else null.
Layer* PaintableLayer(const Image* image);

struct PaintTarget {
    Image* image = nullptr;
    Layer* layer = nullptr;
    PixelArray* pixels = nullptr;
    // Null while no selection is active: everything may be painted.
    const MaskArray* mask = nullptr;
    // 0, or 3 on a supersampled layer (whose 8x level is painted).
    int level = 0;
    ChannelMode channelMode = ChannelMode::Normal;

    // None without a visible raster current layer.
    static std::optional<PaintTarget> Of(Image* image, ChannelMode mode);

    std::int32_t pixelUnits() const { return 256 >> level; }
    Rect boundsInUnits() const;
    // A supersampled layer rebuilds its lower levels over the painted area.
    void refreshFromDetail(const Rect& units) const;
};

} // namespace kv
