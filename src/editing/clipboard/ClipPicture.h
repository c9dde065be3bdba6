#pragma once
#include "model/ChannelMode.h"
#include "model/Geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

class MaskArray;
class PixelArray;

// The picture a copy holds until some program asks for it: rows top to
// bottom without gaps; a pixel is one byte (8 bits), B, G, R (24) or B, G,
// R, A (32). Resolutions in pixels per metre.
struct ClipPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitsPerPixel = 32;
    float resolutionX = 0;
    float resolutionY = 0;
    std::vector<std::uint8_t> bytes;

    std::size_t rowBytes() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel / 8);
    }
};

// What a copy in each channel mode takes: 32 bits, 24 (colour only) or 8
// (alpha only).
int ClipBitsFor(ChannelMode mode);

// The rectangle of the raster as the selection covers it: the mask (the
// raster's size) weighs each pixel. Nothing for an empty rectangle.
std::optional<ClipPicture> BuildClipPicture(const PixelArray& raster, const MaskArray& mask,
                                            const Rect& rect, int bitsPerPixel, float resolutionX,
                                            float resolutionY);

} // namespace kv
