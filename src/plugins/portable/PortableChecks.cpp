#include "plugins/portable/PortableChecks.h"

#include "plugins/portable/PortableError.h"
#include "plugins/portable/PortableHeap.h"

#include <cstring>

namespace kv {
namespace {

// The size of the block behind a structure, which must be a live block of
// that kind (code 3); only then may its fields be read.
std::size_t LiveBlock(const void* block, PortableBlock kind) {
    const std::size_t bytes = block ? PortableHeap::instance().sizeOf(block, kind) : 0;
    if (bytes == 0) throw PortableError(KVX_ERROR_INVALID_PARAMETER);
    return bytes;
}

// The header size a structure claims must be sane and fit inside its block
// together with `perItem` bytes for each of `count` items (code 4).
void CheckLayout(std::size_t bytes, std::uint32_t size, std::uint32_t minimum,
                 std::uint32_t alignment, std::int32_t count, std::size_t perItem) {
    if (size < minimum || size > kMaxPortableHeaderSize || size % alignment != 0 || count < 0)
        throw PortableError(KVX_ERROR_INVALID_DATA);
    if (bytes < size || (bytes - size) / perItem < static_cast<std::size_t>(count))
        throw PortableError(KVX_ERROR_INVALID_DATA);
}

template <typename T> T* At(const void* base, std::uint32_t offset) {
    return reinterpret_cast<T*>(const_cast<char*>(static_cast<const char*>(base)) + offset);
}

} // namespace

std::uint32_t FormatBits(std::uint32_t format) {
    const std::uint32_t bits = format >> 16;
    return bits >= 1 && bits <= 64 ? bits : 0;
}

bool RowBytesOf(std::uint32_t bits, std::int32_t width, std::size_t& rowBytes) {
    if (width < 0 || bits == 0) return false;
    rowBytes = (std::size_t{bits} * static_cast<std::size_t>(width) + 7) / 8;
    return rowBytes <= PortableHeap::kMaxBlockSize;
}

bool PixelBufferSize(std::uint32_t bits, std::int32_t width, std::int32_t height,
                     std::size_t& bytes) {
    std::size_t rowBytes = 0;
    if (height < 0 || !RowBytesOf(bits, width, rowBytes)) return false;
    if (rowBytes != 0 && static_cast<std::size_t>(height) > PortableHeap::kMaxBlockSize / rowBytes)
        return false;
    bytes = rowBytes * static_cast<std::size_t>(height);
    return true;
}

void CheckTemplateSize(std::uint32_t size, std::uint32_t minimum, std::uint32_t alignment) {
    if (size < minimum || size > kMaxPortableHeaderSize || size % alignment != 0)
        throw PortableError(KVX_ERROR_INVALID_PARAMETER);
}

PaletteView CheckPalette(const PortablePalette* palette) {
    const std::size_t bytes = LiveBlock(palette, PortableBlock::Palette);
    CheckLayout(bytes, palette->size, KVX_PALETTE_HEADER_SIZE, 4, palette->count,
                KVX_PALETTE_ENTRY_SIZE);
    return {const_cast<PortablePalette*>(palette), At<PortablePaletteEntry>(palette, palette->size),
            palette->count};
}

ImageView CheckImage(const PortableImage* image) {
    const std::size_t blockBytes = LiveBlock(image, PortableBlock::Image);
    CheckLayout(blockBytes, image->size, KVX_IMAGE_HEADER_SIZE, 8, 1, sizeof(std::uint8_t*));
    ImageView view;
    view.header = const_cast<PortableImage*>(image);
    view.bits = FormatBits(image->format);
    if (view.bits == 0) throw PortableError(KVX_ERROR_UNSUPPORTED_FORMAT);
    std::size_t bytes = 0;
    if (!PixelBufferSize(view.bits, image->width, image->height, bytes))
        throw PortableError(KVX_ERROR_INVALID_DATA);
    RowBytesOf(view.bits, image->width, view.rowBytes);
    if (bytes != 0) {
        std::memcpy(&view.pixels, At<std::uint8_t*>(image, image->size), sizeof view.pixels);
        if (PortableHeap::instance().sizeOf(view.pixels, PortableBlock::Pixels) < bytes)
            throw PortableError(KVX_ERROR_INVALID_DATA);
    }
    if (image->palette) {
        if (view.bits > 16) throw PortableError(KVX_ERROR_INVALID_DATA);
        try {
            view.palette = CheckPalette(image->palette);
        } catch (const PortableError&) {
            throw PortableError(KVX_ERROR_INVALID_DATA);
        }
    }
    return view;
}

MultiImageView CheckMultiImage(const PortableMultiImage* multiImage) {
    const std::size_t bytes = LiveBlock(multiImage, PortableBlock::MultiImage);
    CheckLayout(bytes, multiImage->size, KVX_MULTI_IMAGE_HEADER_SIZE, 8, multiImage->frameCount,
                sizeof(PortableImage*));
    return {const_cast<PortableMultiImage*>(multiImage),
            At<PortableImage*>(multiImage, multiImage->size), multiImage->frameCount};
}

DocumentView CheckDocument(const PortableDocument* document) {
    const std::size_t bytes = LiveBlock(document, PortableBlock::Document);
    CheckLayout(bytes, document->size, KVX_DOCUMENT_HEADER_SIZE, 8, document->count,
                sizeof(PortableMultiImage*));
    return {const_cast<PortableDocument*>(document),
            At<PortableMultiImage*>(document, document->size), document->count};
}

} // namespace kv
