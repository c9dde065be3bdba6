#include "Raster.h"

#include "FormatError.h"

#include <algorithm>

namespace kvf {

Raster::Raster(std::int32_t width, std::int32_t height, std::uint32_t bits, const Limits& limits)
    : m_width(width), m_height(height), m_bits(bits) {
    if (width < 0 || height < 0) Fail(kDamaged);
    if (width > limits.maxSide || height > limits.maxSide ||
        std::uint64_t(width) * std::uint64_t(height) > limits.maxPixels)
        Fail(kTooLarge);
    m_pixels.assign(rowBytes() * std::size_t(height), 0);
}

unsigned Raster::index(std::int32_t x, std::int32_t y) const {
    const std::size_t bit = std::size_t(x) * m_bits;
    const unsigned shift = 8 - m_bits - unsigned(bit % 8);
    return (row(y)[bit / 8] >> shift) & ((1u << m_bits) - 1);
}

void Raster::setIndex(std::int32_t x, std::int32_t y, unsigned value) {
    const std::size_t bit = std::size_t(x) * m_bits;
    const unsigned shift = 8 - m_bits - unsigned(bit % 8);
    const unsigned mask = ((1u << m_bits) - 1) << shift;
    std::uint8_t& byte = row(y)[bit / 8];
    byte = static_cast<std::uint8_t>((byte & ~mask) | ((value << shift) & mask));
}

Raster VisibleMask(std::int32_t width, std::int32_t height, const Limits& limits) {
    Raster mask(width, height, 1, limits);
    const unsigned spare = unsigned(mask.rowBytes() * 8 - std::size_t(width));
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = mask.row(y);
        std::fill(row, row + mask.rowBytes(), 0xFF);
        if (spare) row[mask.rowBytes() - 1] = std::uint8_t(0xFFu << spare);
    }
    return mask;
}

bool HidesAnything(const Raster& mask) {
    for (std::int32_t y = 0; y < mask.height(); ++y)
        for (std::int32_t x = 0; x < mask.width(); ++x)
            if (!mask.index(x, y)) return true;
    return false;
}

} // namespace kvf
