#pragma once
#include "model/Geometry.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace kv {

class Image;

// An image's selection: an 8-bit coverage mask of the image's size (0 not
// selected, 255 selected) and the facts cached about it. While the image has
// supersampled layers the mask has 2x, 4x and 8x levels too; tools edit the
// editable mask (the 8x level then) and call refreshFromDetail.
class Selection {
  public:
    static constexpr int kLevels = 3;

    Selection();
    ~Selection();
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool active() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    bool supersampled() const { return m_levels != nullptr; }
    // On: the levels are made by replicating each byte into a 2x2 block.
    // Off: the levels go, level 0 stays. Recompute follows either way.
    void setSupersampled(bool on);

    // 0 is the image-size mask; 1..3 the 2x, 4x and 8x levels while supersampled.
    MaskArray& level(int index) { return index == 0 ? m_mask : (*m_levels)[index - 1]; }
    const MaskArray& level(int index) const { return index == 0 ? m_mask : (*m_levels)[index - 1]; }
    MaskArray& mask() { return m_mask; }
    const MaskArray& mask() const { return m_mask; }
    MaskArray& editableMask() { return m_levels ? (*m_levels)[kLevels - 1] : m_mask; }
    const MaskArray& editableMask() const { return m_levels ? (*m_levels)[kLevels - 1] : m_mask; }

    bool full() const { return m_full; }
    bool empty() const { return m_empty; }
    // The bounds of the editable mask: the detail bounds while supersampled.
    Rect bounds() const { return m_levels ? m_detailBounds : m_bounds; }
    Rect levelZeroBounds() const { return m_bounds; }
    Rect detailBounds() const { return m_detailBounds; }

    // Rebuilds the 4x, 2x and level-0 masks from the 8x level inside the
    // rectangle, then recomputes. The rectangle is in image (level-0) pixels,
    // as for a layer, and the whole image when null. A caller that touched
    // the 8x level converts its rectangle first: left and top divided by 8
    // rounding down, right and bottom as ((v - 1) div 8) + 1.
    void refreshFromDetail(const Rect* rect = nullptr);
    void recompute();
    // Drops an active selection.
    void clear(const Image& image);
    // Keeps size and supersampling in step with the image; a new image size
    // drops the selection.
    void followImage(const Image& image);

    std::size_t memorySize() const;

  private:
    void resetToSize(std::int32_t width, std::int32_t height, bool supersample);

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    bool m_active = false;
    MaskArray m_mask;
    std::unique_ptr<std::array<MaskArray, kLevels>> m_levels;
    bool m_full = false;
    bool m_empty = false;
    Rect m_bounds;
    Rect m_detailBounds;
};

// dst (2w x 2h) gets every byte of src (w x h) as a 2x2 block.
void ReplicateMaskTwice(const MaskArray& src, MaskArray& dst);
// dst (w x h) from src (2w x 2h) inside dstRect: (a + b + c + d + 2) >> 2 of each block.
void ReduceMaskTwice(const MaskArray& src, MaskArray& dst, const Rect& dstRect);
// Scans a mask: sets full and empty and the bounds of its non-zero bytes.
void ScanMask(const MaskArray& mask, bool& full, bool& empty, Rect& bounds);

} // namespace kv
