#include "model/RasterArray.h"

#include "platform/ErrorReporter.h"
#include "platform/Memory.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kv {

bool ClipCopy(std::int32_t dstWidth, std::int32_t dstHeight, std::int32_t& dx, std::int32_t& dy,
              std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t& sx, std::int32_t& sy,
              std::int32_t& w, std::int32_t& h) {
    if (dx < 0) {
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        dy = 0;
    }
    if (sx < 0) {
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        sy = 0;
    }
    w = std::min({w, dstWidth - dx, srcWidth - sx});
    h = std::min({h, dstHeight - dy, srcHeight - sy});
    return w >= 1 && h >= 1;
}

template <typename T> void RasterArray<T>::reportCreationFailure() {
    ReportError(sizeof(T) == 1 ? "Mask array creation failed" : "Pixel array creation failed");
}

template <typename T> void RasterArray<T>::setSize(std::int32_t width, std::int32_t height) {
    if (width == m_width && height == m_height) return;
    if (m_pixels && !m_owns) return; // wrapped memory is never resized
    const std::int64_t oldProduct = std::int64_t{m_width} * m_height;
    const std::int64_t newProduct = width > 0 && height > 0 ? std::int64_t{width} * height : 0;
    if (newProduct == oldProduct && m_pixels) {
        m_width = width;
        m_height = height;
        return;
    }
    release();
    m_width = width;
    m_height = height;
    if (newProduct > 0) {
        const std::uint64_t bytes = static_cast<std::uint64_t>(newProduct) * sizeof(T);
        if (bytes <= SIZE_MAX / 2) {
            m_pixels = static_cast<T*>(MemAlloc(static_cast<std::size_t>(bytes)));
        } else {
            MemAlloc(SIZE_MAX); // reports the failure with the size the user asked for
        }
        if (m_pixels) {
            m_owns = true;
            return;
        }
        reportCreationFailure();
    }
    m_width = 0;
    m_height = 0;
}

template <typename T> void RasterArray<T>::release() {
    if (m_owns) MemFree(m_pixels);
    m_pixels = nullptr;
    m_owns = false;
    // Without storage the raster is 0 x 0, so that a later setSize to the
    // old size allocates again instead of keeping no storage.
    m_width = 0;
    m_height = 0;
}

template <typename T> void RasterArray<T>::assign(const RasterArray& other) {
    if (this == &other) return;
    if (!other.m_pixels) {
        release();
        m_width = m_height = 0;
        return;
    }
    if (m_pixels && !m_owns) {
        release();
        m_width = m_height = 0;
    }
    setSize(other.m_width, other.m_height);
    if (m_pixels) std::memcpy(m_pixels, other.m_pixels, other.pixelCount() * sizeof(T));
}

template <typename T> void RasterArray<T>::fill(T value) {
    if (m_pixels) std::fill_n(m_pixels, pixelCount(), value);
}

template <typename T> void RasterArray<T>::fillRect(const Rect& rect, T value) {
    if (!m_pixels) return;
    const Rect r{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, m_width),
                 std::min(rect.bottom, m_height)};
    if (r.isEmpty()) return;
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        std::fill(row(y) + r.left, row(y) + r.right, value);
}

template <typename T>
void RasterArray<T>::verticalLine(std::int32_t x, std::int32_t y0, std::int32_t y1, T value) {
    if (!m_pixels || x < 0 || x >= m_width) return;
    const std::int32_t top = std::max(std::min(y0, y1), 0);
    const std::int32_t bottom = std::min(std::max(y0, y1), m_height - 1);
    T* p = row(top) + x;
    for (std::int32_t y = top; y <= bottom; ++y, p += m_width)
        *p = value;
}

template <typename T> bool RasterArray<T>::sameContents(const RasterArray& other) const {
    if (m_width != other.m_width || m_height != other.m_height) return false;
    if (!m_pixels || !other.m_pixels) return m_pixels == other.m_pixels;
    return std::memcmp(m_pixels, other.m_pixels, pixelCount() * sizeof(T)) == 0;
}

template <typename T> void RasterArray<T>::swap(RasterArray& other) noexcept {
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_pixels, other.m_pixels);
    std::swap(m_owns, other.m_owns);
}

template <typename T>
bool CopyRaster(RasterArray<T>& dst, std::int32_t dx, std::int32_t dy, const RasterArray<T>& src,
                std::int32_t sx, std::int32_t sy, std::int32_t w, std::int32_t h) {
    if (!dst.hasStorage() || !src.hasStorage()) return false;
    if (!ClipCopy(dst.width(), dst.height(), dx, dy, src.width(), src.height(), sx, sy, w, h))
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(w) * sizeof(T);
    if (&dst == &src && dy > sy) { // overlapping move downwards: walk rows bottom-up
        for (std::int32_t y = h - 1; y >= 0; --y)
            std::memmove(dst.row(dy + y) + dx, src.row(sy + y) + sx, rowBytes);
    } else {
        for (std::int32_t y = 0; y < h; ++y)
            std::memmove(dst.row(dy + y) + dx, src.row(sy + y) + sx, rowBytes);
    }
    return true;
}

template class RasterArray<std::uint32_t>;
template class RasterArray<std::uint8_t>;
template bool CopyRaster(RasterArray<std::uint32_t>&, std::int32_t, std::int32_t,
                         const RasterArray<std::uint32_t>&, std::int32_t, std::int32_t,
                         std::int32_t, std::int32_t);
template bool CopyRaster(RasterArray<std::uint8_t>&, std::int32_t, std::int32_t,
                         const RasterArray<std::uint8_t>&, std::int32_t, std::int32_t, std::int32_t,
                         std::int32_t);

} // namespace kv
