#include "plugins/portable/PortableBlocks.h"

#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableError.h"
#include "plugins/portable/PortableHeap.h"

#include <cstring>

namespace kv {
namespace {

PortableHeap& Heap() {
    return PortableHeap::instance();
}

// A block of `header.size` + `variable` bytes starting with a copy of the header.
template <typename T>
T* AllocateWithHeader(PortableBlock kind, const T& header, std::size_t variable) {
    void* block = Heap().allocate(kind, header.size + variable);
    if (!block) throw PortableError(KVX_ERROR_OUT_OF_MEMORY);
    std::memcpy(block, &header, header.size);
    return static_cast<T*>(block);
}

void CheckTemplateCount(std::int32_t count) {
    if (count < 0 || count > kMaxPortableCount) throw PortableError(KVX_ERROR_INVALID_PARAMETER);
}

template <typename T> T** PointerArray(void* block, std::uint32_t size) {
    return reinterpret_cast<T**>(static_cast<char*>(block) + size);
}

// The pointers of a multi-image or document whose header still fits its
// block; null when its size field was damaged since it was made.
template <typename T>
T** PointersOf(void* block, PortableBlock kind, std::uint32_t size, std::int32_t count) {
    const std::size_t bytes = Heap().sizeOf(block, kind);
    if (size > bytes || count < 0 || (bytes - size) / sizeof(T*) < std::size_t(count))
        return nullptr;
    return PointerArray<T>(block, size);
}

void SetPixels(PortableImage* image, std::uint8_t* pixels) {
    std::memcpy(reinterpret_cast<char*>(image) + image->size, &pixels, sizeof pixels);
}

} // namespace

PortablePalette* CreatePortablePalette(const PortablePalette& header) {
    CheckTemplateSize(header.size, KVX_PALETTE_HEADER_SIZE, 4);
    CheckTemplateCount(header.count);
    return AllocateWithHeader(PortableBlock::Palette, header,
                              std::size_t(header.count) * KVX_PALETTE_ENTRY_SIZE);
}

PortableImage* CreatePortableImage(const PortableImage& header) {
    CheckTemplateSize(header.size, KVX_IMAGE_HEADER_SIZE, 8);
    std::size_t bytes = 0;
    const std::uint32_t bits = FormatBits(header.format);
    if (bits == 0 || header.width < 0 || header.height < 0)
        throw PortableError(KVX_ERROR_INVALID_PARAMETER);
    if (!PixelBufferSize(bits, header.width, header.height, bytes))
        throw PortableError(KVX_ERROR_OUT_OF_MEMORY);
    PortableImagePtr image(AllocateWithHeader(PortableBlock::Image, header, sizeof(std::uint8_t*)));
    image->palette = nullptr;
    SetPixels(image.get(), nullptr);
    if (bytes != 0) {
        auto* pixels = static_cast<std::uint8_t*>(Heap().allocate(PortableBlock::Pixels, bytes));
        if (!pixels) throw PortableError(KVX_ERROR_OUT_OF_MEMORY);
        SetPixels(image.get(), pixels);
    }
    return image.release();
}

PortableMultiImage* CreatePortableMultiImage(const PortableMultiImage& header) {
    CheckTemplateSize(header.size, KVX_MULTI_IMAGE_HEADER_SIZE, 8);
    CheckTemplateCount(header.frameCount);
    return AllocateWithHeader(PortableBlock::MultiImage, header,
                              std::size_t(header.frameCount) * sizeof(PortableImage*));
}

PortableDocument* CreatePortableDocument(const PortableDocument& header) {
    CheckTemplateSize(header.size, KVX_DOCUMENT_HEADER_SIZE, 8);
    CheckTemplateCount(header.count);
    return AllocateWithHeader(PortableBlock::Document, header,
                              std::size_t(header.count) * sizeof(PortableMultiImage*));
}

FileTypeDescriptor* CreateFileTypeDescriptor(const FileTypeDescriptor& header) {
    CheckTemplateSize(header.size, KVX_FILE_TYPE_HEADER_SIZE, 4);
    CheckTemplateCount(header.extensionCount);
    return AllocateWithHeader(PortableBlock::FileType, header,
                              std::size_t(header.extensionCount) * KVX_FILE_TYPE_EXTENSION_SIZE);
}

bool FreePortablePalette(PortablePalette* palette) {
    return !palette || Heap().release(palette, PortableBlock::Palette);
}

bool FreeFileTypeDescriptor(FileTypeDescriptor* descriptor) {
    return !descriptor || Heap().release(descriptor, PortableBlock::FileType);
}

bool FreePortableImage(PortableImage* image) {
    if (!image) return true;
    const std::size_t bytes = Heap().sizeOf(image, PortableBlock::Image);
    if (bytes == 0) return false;
    if (image->size <= bytes && bytes - image->size >= sizeof(std::uint8_t*)) {
        std::uint8_t* pixels = nullptr;
        std::memcpy(&pixels, reinterpret_cast<char*>(image) + image->size, sizeof pixels);
        Heap().release(pixels, PortableBlock::Pixels);
    }
    FreePortablePalette(image->palette);
    return Heap().release(image, PortableBlock::Image);
}

bool FreePortableMultiImage(PortableMultiImage* multiImage) {
    if (!multiImage) return true;
    if (Heap().sizeOf(multiImage, PortableBlock::MultiImage) == 0) return false;
    if (PortableImage** frames = PointersOf<PortableImage>(
            multiImage, PortableBlock::MultiImage, multiImage->size, multiImage->frameCount)) {
        for (std::int32_t i = 0; i < multiImage->frameCount; ++i)
            FreePortableImage(frames[i]);
    }
    return Heap().release(multiImage, PortableBlock::MultiImage);
}

bool FreePortableDocument(PortableDocument* document) {
    if (!document) return true;
    if (Heap().sizeOf(document, PortableBlock::Document) == 0) return false;
    if (PortableMultiImage** images = PointersOf<PortableMultiImage>(
            document, PortableBlock::Document, document->size, document->count)) {
        for (std::int32_t i = 0; i < document->count; ++i)
            FreePortableMultiImage(images[i]);
    }
    return Heap().release(document, PortableBlock::Document);
}

PortablePalette* ClonePortablePalette(const PortablePalette* palette) {
    const PaletteView view = CheckPalette(palette);
    PortablePalette* copy = CreatePortablePalette(*palette);
    std::memcpy(KVXPaletteEntries(copy), view.entries,
                std::size_t(view.count) * KVX_PALETTE_ENTRY_SIZE);
    return copy;
}

PortableImage* ClonePortableImage(const PortableImage* image) {
    const ImageView view = CheckImage(image);
    PortableImagePtr copy(CreatePortableImage(*image));
    if (view.pixels)
        std::memcpy(KVXImagePixels(copy.get()), view.pixels,
                    view.rowBytes * static_cast<std::size_t>(image->height));
    if (view.palette.header) copy->palette = ClonePortablePalette(view.palette.header);
    return copy.release();
}

PortableMultiImage* ClonePortableMultiImage(const PortableMultiImage* multiImage) {
    const MultiImageView view = CheckMultiImage(multiImage);
    PortableMultiImagePtr copy(CreatePortableMultiImage(*multiImage));
    PortableImage** frames = KVXMultiImageFrames(copy.get());
    for (std::int32_t i = 0; i < view.count; ++i)
        if (view.frames[i]) frames[i] = ClonePortableImage(view.frames[i]);
    return copy.release();
}

PortableImagePtr NewPortableFrame(std::uint32_t frameType, std::uint32_t format, std::int32_t width,
                                  std::int32_t height, const char* name) {
    PortableImage header{};
    header.size = KVX_IMAGE_HEADER_SIZE;
    header.frameType = frameType;
    header.format = format;
    header.width = width;
    header.height = height;
    header.opacity = 1.0f;
    if (name) std::strncpy(header.name, name, sizeof header.name - 1);
    return PortableImagePtr(CreatePortableImage(header));
}

PortableMultiImagePtr NewPortableMultiImage(std::uint32_t format, std::int32_t width,
                                            std::int32_t height, float resolutionX,
                                            float resolutionY, std::int32_t frames) {
    PortableMultiImage header{};
    header.size = KVX_MULTI_IMAGE_HEADER_SIZE;
    header.type = KVX_MULTI_IMAGE_TYPE;
    header.format = format;
    header.width = width;
    header.height = height;
    header.resolutionX = resolutionX;
    header.resolutionY = resolutionY;
    header.frameCount = frames;
    return PortableMultiImagePtr(CreatePortableMultiImage(header));
}

PortableDocumentPtr NewPortableDocument(std::int32_t count) {
    PortableDocument header{};
    header.size = KVX_DOCUMENT_HEADER_SIZE;
    header.count = count;
    return PortableDocumentPtr(CreatePortableDocument(header));
}

} // namespace kv
