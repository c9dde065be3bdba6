#pragma once
// What the host believes about a portable structure before it reads one:
// every structure must be a live block of the portable heap, and its header
// size, counts and pixel buffer must fit inside what was allocated. Each
// check throws PortableError: code 3 for something that is not one of our
// blocks, code 4 for contents that do not fit, code 5 for an unusable format.
#include "kvx.h"

#include <cstddef>
#include <cstdint>

namespace kv {

// Headers may grow in later interface versions, but not without bound.
inline constexpr std::uint32_t kMaxPortableHeaderSize = 1024;
// Counts a template may ask for.
inline constexpr std::int32_t kMaxPortableCount = 1 << 20;

struct PaletteView {
    PortablePalette* header = nullptr; // null: no palette
    PortablePaletteEntry* entries = nullptr;
    std::int32_t count = 0;
};

struct ImageView {
    PortableImage* header = nullptr;
    std::uint32_t bits = 0;
    std::size_t rowBytes = 0;
    std::uint8_t* pixels = nullptr; // null when the buffer holds no bytes
    PaletteView palette;

    std::uint8_t* row(std::int32_t y) const {
        return pixels + static_cast<std::size_t>(y) * rowBytes;
    }
};

struct MultiImageView {
    PortableMultiImage* header = nullptr;
    PortableImage** frames = nullptr;
    std::int32_t count = 0;
};

struct DocumentView {
    PortableDocument* header = nullptr;
    PortableMultiImage** images = nullptr;
    std::int32_t count = 0;
};

// Bits per pixel of a format, or 0 when it is not 1..64.
std::uint32_t FormatBits(std::uint32_t format);
// Bytes of one packed row; false when it would exceed a block.
bool RowBytesOf(std::uint32_t bits, std::int32_t width, std::size_t& rowBytes);
// Bytes of a whole pixel buffer; false when the size is negative or too large.
bool PixelBufferSize(std::uint32_t bits, std::int32_t width, std::int32_t height,
                     std::size_t& bytes);

// A template header's size field: at least `minimum`, at most the limit,
// a multiple of `alignment`. Code 3 otherwise.
void CheckTemplateSize(std::uint32_t size, std::uint32_t minimum, std::uint32_t alignment);

PaletteView CheckPalette(const PortablePalette* palette);
// Also refuses a palette on an image of more than 16 bits per pixel.
ImageView CheckImage(const PortableImage* image);
// The frames themselves are checked when they are used.
MultiImageView CheckMultiImage(const PortableMultiImage* multiImage);
DocumentView CheckDocument(const PortableDocument* document);

} // namespace kv
