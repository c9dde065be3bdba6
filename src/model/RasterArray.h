#pragma once
#include "model/Geometry.h"

#include <cstddef>
#include <cstdint>

namespace kv {

// Clips a w x h block copy between two rasters. Returns false when nothing
// remains to copy. Every rectangle copy between rasters goes through this.
bool ClipCopy(std::int32_t dstWidth, std::int32_t dstHeight, std::int32_t& dx, std::int32_t& dy,
              std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t& sx, std::int32_t& sy,
              std::int32_t& w, std::int32_t& h);

// A row-major raster whose stride is its width. It owns its storage or wraps
// storage owned by someone else. Failed allocations leave it empty (0 x 0),
// and every operation on an empty raster does nothing.
template <typename T> class RasterArray {
  public:
    using value_type = T;

    RasterArray() = default;
    RasterArray(std::int32_t width, std::int32_t height) { setSize(width, height); }
    RasterArray(const RasterArray&) = delete;
    RasterArray& operator=(const RasterArray&) = delete;
    RasterArray(RasterArray&& other) noexcept { swap(other); }
    RasterArray& operator=(RasterArray&& other) noexcept {
        if (this != &other) {
            release();
            swap(other);
        }
        return *this;
    }
    ~RasterArray() { release(); }

    // Takes memory without copying; the raster never frees or resizes it.
    static RasterArray wrap(std::int32_t width, std::int32_t height, T* memory) {
        RasterArray r;
        r.m_width = width;
        r.m_height = height;
        r.m_pixels = memory;
        r.m_owns = false;
        return r;
    }

    // Same product: the block is kept and reinterpreted. Otherwise a new,
    // uncleared block. No storage afterwards means a 0 x 0 raster.
    void setSize(std::int32_t width, std::int32_t height);
    void release();
    // Deep copy of size and contents (allocation failures leave it empty).
    void assign(const RasterArray& other);

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool owns() const { return m_owns; }
    bool hasStorage() const { return m_pixels != nullptr; }
    bool isEmpty() const { return !m_pixels || m_width <= 0 || m_height <= 0; }
    std::size_t pixelCount() const {
        return m_pixels ? static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height)
                        : 0;
    }
    Rect bounds() const { return Rect::ofSize(m_width, m_height); }
    std::size_t memorySize() const { return 16 + pixelCount() * sizeof(T); }

    T* data() { return m_pixels; }
    const T* data() const { return m_pixels; }
    T* row(std::int32_t y) { return m_pixels + static_cast<std::ptrdiff_t>(y) * m_width; }
    const T* row(std::int32_t y) const {
        return m_pixels + static_cast<std::ptrdiff_t>(y) * m_width;
    }
    T get(std::int32_t x, std::int32_t y) const { return row(y)[x]; }
    void set(std::int32_t x, std::int32_t y, T value) { row(y)[x] = value; }

    void fill(T value);
    // The rectangle is clipped to the raster.
    void fillRect(const Rect& rect, T value);
    // Column x from min(y0, y1) to max(y0, y1) inclusive, clipped to the rows.
    void verticalLine(std::int32_t x, std::int32_t y0, std::int32_t y1, T value);

    bool sameContents(const RasterArray& other) const;

  private:
    void swap(RasterArray& other) noexcept;
    static void reportCreationFailure();

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    T* m_pixels = nullptr;
    bool m_owns = false;
};

// Copies a w x h block from (sx, sy) of src to (dx, dy) of dst after clipping;
// reports whether anything was copied.
template <typename T>
bool CopyRaster(RasterArray<T>& dst, std::int32_t dx, std::int32_t dy, const RasterArray<T>& src,
                std::int32_t sx, std::int32_t sy, std::int32_t w, std::int32_t h);
// The whole source to (dx, dy).
template <typename T>
bool CopyRaster(RasterArray<T>& dst, std::int32_t dx, std::int32_t dy, const RasterArray<T>& src) {
    return CopyRaster(dst, dx, dy, src, 0, 0, src.width(), src.height());
}
// A source rectangle to the same coordinates.
template <typename T>
bool CopyRaster(RasterArray<T>& dst, const RasterArray<T>& src, const Rect& rect) {
    return CopyRaster(dst, rect.left, rect.top, src, rect.left, rect.top, rect.width(),
                      rect.height());
}

extern template class RasterArray<std::uint32_t>;
extern template class RasterArray<std::uint8_t>;

} // namespace kv
