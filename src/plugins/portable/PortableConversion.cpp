#include "plugins/portable/PortableConversion.h"

#include "plugins/portable/PortableBlocks.h"
#include "plugins/portable/PortableError.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace kv {
namespace {

// The Color32 of every index a frame of `bits` can hold.
std::vector<Color32> IndexColors(const ImageView& frame) {
    const std::size_t n = std::size_t{1} << frame.bits;
    std::vector<Color32> colors(n, MakeColor32(0, 0, 0, 255));
    if (!frame.palette.header) {
        for (std::size_t i = 0; i < n; ++i) {
            const auto level = static_cast<unsigned>(i * 255 / (n - 1));
            colors[i] = MakeColor32(level, level, level, 255);
        }
        return colors;
    }
    const auto clamp = [](std::uint32_t v) { return std::min<std::uint32_t>(v, 255); };
    const std::size_t count = std::min<std::size_t>(n, std::size_t(frame.palette.count));
    for (std::size_t i = 0; i < count; ++i) {
        const PortablePaletteEntry& e = frame.palette.entries[i];
        colors[i] = MakeColor32(clamp(e.r), clamp(e.g), clamp(e.b), clamp(e.a));
    }
    return colors;
}

void ReadIndexedRow(const std::uint8_t* src, std::uint32_t bits, const std::vector<Color32>& colors,
                    Color32* dst, std::int32_t width) {
    const unsigned mask = (1u << bits) - 1;
    for (std::int32_t x = 0; x < width; ++x) {
        const std::size_t bit = std::size_t(x) * bits;
        const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
        dst[x] = colors[(src[bit / 8] >> shift) & mask];
    }
}

void ReadRgbRow(const std::uint8_t* src, Color32* dst, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, src += 3)
        dst[x] = MakeColor32(src[2], src[1], src[0], 255);
}

} // namespace

Rect PlacedFrameRect(const PortableImage& frame) {
    const auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {frame.left, frame.top, clamp(std::int64_t{frame.left} + frame.width),
            clamp(std::int64_t{frame.top} + frame.height)};
}

void ReadPortablePixels(const ImageView& frame, PixelArray& out) {
    const std::uint32_t bits = frame.bits;
    if (bits != 32 && bits != 24 && bits != 8 && bits != 4 && bits != 1)
        throw PortableError(KVX_ERROR_UNSUPPORTED_FORMAT);
    const std::int32_t width = frame.header->width, height = frame.header->height;
    out.setSize(width, height);
    if (out.width() != width || out.height() != height)
        throw PortableError(KVX_ERROR_OUT_OF_MEMORY);
    if (!frame.pixels) return;
    const std::vector<Color32> colors = bits <= 8 ? IndexColors(frame) : std::vector<Color32>();
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* src = frame.row(y);
        if (bits == 32)
            std::memcpy(out.row(y), src, frame.rowBytes);
        else if (bits == 24)
            ReadRgbRow(src, out.row(y), width);
        else
            ReadIndexedRow(src, bits, colors, out.row(y), width);
    }
}

PixelArray WrapPortablePixels(const ImageView& frame) {
    if (frame.bits != 32) throw PortableError(KVX_ERROR_UNSUPPORTED_FORMAT);
    if (!frame.pixels) return PixelArray();
    return PixelArray::wrap(frame.header->width, frame.header->height,
                            reinterpret_cast<Color32*>(frame.pixels));
}

PortableImage* ConvertPortableImage(PortableImage* image, std::uint32_t format, bool freeSource) {
    const ImageView view = CheckImage(image);
    if (format != KVX_FORMAT_32BPP) throw PortableError(KVX_ERROR_UNSUPPORTED_FORMAT);
    PixelArray pixels;
    ReadPortablePixels(view, pixels);
    PortableImage header = *image;
    header.format = KVX_FORMAT_32BPP;
    header.size = KVX_IMAGE_HEADER_SIZE;
    PortableImagePtr result(CreatePortableImage(header));
    if (!pixels.isEmpty())
        std::memcpy(KVXImagePixels(result.get()), pixels.data(), pixels.pixelCount() * 4);
    if (freeSource) FreePortableImage(image);
    return result.release();
}

PortableMultiImage* ConvertPortableMultiImage(PortableMultiImage* multiImage, std::uint32_t format,
                                              bool freeSource) {
    const MultiImageView view = CheckMultiImage(multiImage);
    if (format != KVX_FORMAT_32BPP) throw PortableError(KVX_ERROR_UNSUPPORTED_FORMAT);
    PortableMultiImagePtr result(CreatePortableMultiImage(*multiImage));
    result->format = format;
    PortableImage** frames = KVXMultiImageFrames(result.get());
    for (std::int32_t i = 0; i < view.count; ++i) {
        PortableImage* frame = view.frames[i];
        if (!frame) continue;
        CheckImage(frame); // before its type is read
        frames[i] = frame->frameType == KVX_FRAME_IMAGE ? ConvertPortableImage(frame, format, false)
                                                        : ClonePortableImage(frame);
    }
    if (freeSource) FreePortableMultiImage(multiImage);
    return result.release();
}

void PremultiplyPortableImage(PortableImage* image) {
    const ImageView view = CheckImage(image);
    PixelArray pixels = WrapPortablePixels(view);
    pixels.premultiply();
}

void ApplyPortableMask(PixelArray& raster, const ImageView& mask) {
    if (mask.bits != 1) throw PortableError(KVX_ERROR_UNSUPPORTED_FORMAT);
    if (!mask.pixels) return;
    const Rect placed = PlacedFrameRect(*mask.header);
    const Rect r = placed.intersected(raster.bounds());
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        const std::uint8_t* bits = mask.row(y - placed.top);
        Color32* row = raster.row(y);
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const std::int32_t mx = x - placed.left;
            if (!(bits[mx >> 3] & (0x80u >> (mx & 7)))) row[x] &= 0x00FFFFFFu;
        }
    }
}

} // namespace kv
