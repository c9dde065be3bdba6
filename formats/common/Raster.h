#pragma once
// Pictures between a file and the host: rows top first, packed the way the
// portable images pack them (32 bits B, G, R, A; 24 bits B, G, R; 1, 4 and 8
// bits palette indices from the most significant bit down), so that handing
// them over is a copy.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvf {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Color&) const = default;
};

// What a reader may allocate for one picture. Sizes a file claims are
// checked against it before anything is allocated.
struct Limits {
    std::uint64_t maxPixels = std::uint64_t{1} << 26;
    std::int32_t maxSide = 1 << 16;
};
// Writers copy pictures the host already holds: only sizes that cannot be
// meant are refused.
inline constexpr Limits kExportLimits{std::uint64_t{1} << 31, 1 << 30};

class Raster {
  public:
    Raster() = default;
    // Zero-filled; fails with kTooLarge beyond the limits.
    Raster(std::int32_t width, std::int32_t height, std::uint32_t bits, const Limits& limits);

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    std::uint32_t bits() const { return m_bits; }
    bool empty() const { return m_width == 0 || m_height == 0; }
    std::size_t rowBytes() const { return RowBytes(m_bits, m_width); }
    std::uint8_t* row(std::int32_t y) { return m_pixels.data() + std::size_t(y) * rowBytes(); }
    const std::uint8_t* row(std::int32_t y) const {
        return m_pixels.data() + std::size_t(y) * rowBytes();
    }
    std::vector<std::uint8_t>& pixels() { return m_pixels; }
    const std::vector<std::uint8_t>& pixels() const { return m_pixels; }

    // Sub-byte pixels (indices or mask bits).
    unsigned index(std::int32_t x, std::int32_t y) const;
    void setIndex(std::int32_t x, std::int32_t y, unsigned value);

    static std::size_t RowBytes(std::uint32_t bits, std::int32_t width) {
        return (std::size_t(bits) * std::size_t(width) + 7) / 8;
    }

    std::vector<Color> palette; // for 1, 4 and 8 bits

  private:
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::uint32_t m_bits = 32;
    std::vector<std::uint8_t> m_pixels;
};

inline constexpr float kDefaultResolution = 3779.5276f; // 96 dpi in pixels per metre

// One decoded image: its pixels, and a 1-bit mask (1 = visible) when the
// file marks some pixels transparent apart from an alpha channel.
struct Picture {
    Raster image;
    Raster mask; // empty: every pixel as the image says
    float resolutionX = kDefaultResolution;
    float resolutionY = kDefaultResolution;
    std::uint32_t fileBits = 0; // bits per pixel as stored, for descriptions
};

// A 1-bit mask of the picture's size, every pixel visible.
Raster VisibleMask(std::int32_t width, std::int32_t height, const Limits& limits);
// True when some bit of the mask is 0.
bool HidesAnything(const Raster& mask);

} // namespace kvf
