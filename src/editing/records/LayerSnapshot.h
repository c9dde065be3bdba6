#pragma once
#include "model/Geometry.h"
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

class LayerBase;

// The process-wide copy of the current layer's editable pixels as they were
// before the edit in progress. Undo records are differences against it; moves
// shift it by the offset, transforms and merges use it as scratch.
class LayerSnapshot {
  public:
    static LayerSnapshot& instance();

    // Copies the layer's editable raster (its 8x level when supersampled);
    // size and level follow it and the offset returns to (0, 0). False when
    // memory runs out (the snapshot is empty then).
    bool take(const LayerBase& layer);
    // Whether the snapshot can stand for the layer without a new copy.
    bool matches(const LayerBase& layer) const;
    // Makes room for a copy of a width x height layer at the given level
    // (pixels (width << level) x (height << level), contents undefined) with
    // a zero offset, for records that put a snapshot back. False when memory
    // runs out.
    bool prepare(std::int32_t width, std::int32_t height, int level);
    void release();

    PixelArray& pixels() { return m_pixels; }
    const PixelArray& pixels() const { return m_pixels; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    // The layer's supersampling level count when taken: 0 for a plain layer.
    int level() const { return m_level; }
    Point offset() const { return m_offset; }
    void setOffset(Point offset) { m_offset = offset; }

  private:
    LayerSnapshot() = default;

    PixelArray m_pixels;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    int m_level = 0;
    Point m_offset;
};

// The editable raster of a layer: the 8x level of a supersampled layer.
PixelArray& EditablePixelsOf(LayerBase& layer);
const PixelArray& EditablePixelsOf(const LayerBase& layer);

} // namespace kv
