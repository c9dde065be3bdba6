#include "plugins/portable/PortableExport.h"

#include "model/Image.h"
#include "model/Project.h"
#include "platform/ErrorReporter.h"
#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableError.h"

#include <cstring>
#include <vector>

namespace kv {
namespace {

std::uint32_t PortableFormatOf(TargetFormat target) {
    switch (target) {
    case TargetFormat::Rgb24:
        return KVX_FORMAT_24BPP;
    case TargetFormat::Palette8:
        return KVX_FORMAT_8BPP;
    case TargetFormat::Palette4:
        return KVX_FORMAT_4BPP;
    case TargetFormat::Mono:
        return KVX_FORMAT_1BPP;
    default: // 32-bit, and images whose format was never set
        return KVX_FORMAT_32BPP;
    }
}

bool IsCurrentImage(const Image& image) {
    return image.owner() && image.owner()->currentImage() == &image;
}

PortableMultiImagePtr NewMultiImageFor(const Image& image, std::uint32_t format,
                                       std::int32_t frames) {
    PortableMultiImagePtr multi =
        NewPortableMultiImage(format, image.width(), image.height(), image.horizontalResolution(),
                              image.verticalResolution(), frames);
    if (IsCurrentImage(image)) multi->flags |= KVX_MULTI_IMAGE_CURRENT;
    return multi;
}

PortableImagePtr LayerFrame(const Image& image, const LayerBase& layer) {
    PortableImagePtr frame = NewPortableFrame(KVX_FRAME_IMAGE, KVX_FORMAT_32BPP, layer.width(),
                                              layer.height(), layer.name().c_str());
    if (image.currentLayer() == &layer) frame->flags |= KVX_FRAME_CURRENT;
    if (!layer.visible()) frame->flags |= KVX_FRAME_HIDDEN;
    frame->opacity = layer.opacity();
    const PixelArray& pixels = layer.pixels();
    if (pixels.width() != layer.width() || pixels.height() != layer.height())
        throw PortableError(KVX_ERROR_INVALID_DATA);
    if (!pixels.isEmpty())
        std::memcpy(KVXImagePixels(frame.get()), pixels.data(), pixels.pixelCount() * 4);
    return frame;
}

PortableMultiImagePtr LayersToPortable(const Image& image) {
    PortableMultiImagePtr multi = NewMultiImageFor(image, KVX_FORMAT_32BPP, image.layerCount());
    PortableImage** frames = KVXMultiImageFrames(multi.get());
    std::int32_t i = 0;
    for (const LayerBase* layer = image.bottomLayer(); layer; layer = layer->above())
        frames[i++] = LayerFrame(image, *layer).release();
    return multi;
}

void PackIndex(std::uint8_t* row, std::int32_t x, std::uint32_t bits, std::uint32_t index) {
    const std::size_t bit = std::size_t(x) * bits;
    row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
}

// Palette indices of one row of the source; pixels the palette has no entry
// for take the entry that opaque black would get.
void WriteIndexRow(Palette* palette, const Color32* src, std::int32_t width, std::uint32_t bits,
                   std::vector<std::int32_t>& indexes, std::uint8_t* row) {
    if (!palette) return; // without a palette every index stays 0
    palette->lookupMany(src, width, indexes.data());
    const std::int32_t black = palette->lookup(MakeColor32(0, 0, 0, 255));
    const std::int32_t limit = 1 << bits;
    for (std::int32_t x = 0; x < width; ++x) {
        std::int32_t index = indexes[std::size_t(x)];
        if (index < 0) index = black;
        if (index >= 0 && index < limit) PackIndex(row, x, bits, std::uint32_t(index));
    }
}

void WriteRgbRow(const Color32* src, std::int32_t width, std::uint8_t* row) {
    for (std::int32_t x = 0; x < width; ++x, row += 3) {
        row[0] = static_cast<std::uint8_t>(BlueOf(src[x]));
        row[1] = static_cast<std::uint8_t>(GreenOf(src[x]));
        row[2] = static_cast<std::uint8_t>(RedOf(src[x]));
    }
}

PortablePalette* PortableCopyOf(const Palette& palette) {
    PortablePalette header{};
    header.size = KVX_PALETTE_HEADER_SIZE;
    header.type = KVX_PALETTE_TYPE;
    header.count = palette.count();
    PortablePalette* copy = CreatePortablePalette(header);
    PortablePaletteEntry* entries = KVXPaletteEntries(copy);
    for (std::int32_t i = 0; i < palette.count(); ++i) {
        const PaletteEntry& e = palette.entry(i);
        entries[i] = {std::uint32_t(e.a()), std::uint32_t(e.r()), std::uint32_t(e.g()),
                      std::uint32_t(e.b())};
    }
    return copy;
}

PortableImagePtr ColorFrame(const Image& image, const PixelArray& source, std::uint32_t format) {
    PortableImagePtr frame =
        NewPortableFrame(KVX_FRAME_IMAGE, format, source.width(), source.height(), "IMAGE");
    const ImageView view = CheckImage(frame.get());
    std::vector<std::int32_t> indexes(std::size_t(source.width()));
    for (std::int32_t y = 0; view.pixels && y < source.height(); ++y) {
        if (view.bits == 24)
            WriteRgbRow(source.row(y), source.width(), view.row(y));
        else
            WriteIndexRow(image.palette(), source.row(y), source.width(), view.bits, indexes,
                          view.row(y));
    }
    if (view.bits != 24 && image.palette()) frame->palette = PortableCopyOf(*image.palette());
    return frame;
}

bool HasTranslucentPixel(const PixelArray& source) {
    const Color32* p = source.data();
    for (std::size_t i = 0; i < source.pixelCount(); ++i)
        if (AlphaOf(p[i]) < 128) return true;
    return false;
}

PortableImagePtr MaskFrame(const PixelArray& source) {
    PortableImagePtr frame =
        NewPortableFrame(KVX_FRAME_MASK, KVX_FORMAT_1BPP, source.width(), source.height(), "MASK");
    const ImageView view = CheckImage(frame.get());
    for (std::int32_t y = 0; y < source.height(); ++y) {
        const Color32* src = source.row(y);
        for (std::int32_t x = 0; x < source.width(); ++x)
            if (AlphaOf(src[x]) >= 128) PackIndex(view.row(y), x, 1, 1);
    }
    return frame;
}

PortableMultiImagePtr PreviewToPortable(const Image& image, std::uint32_t format) {
    const PixelArray& source = image.targetPreview() ? *image.targetPreview() : image.composite();
    if (source.width() != image.width() || source.height() != image.height())
        throw PortableError(KVX_ERROR_INVALID_DATA);
    const bool masked = HasTranslucentPixel(source);
    PortableMultiImagePtr multi = NewMultiImageFor(image, format, masked ? 2 : 1);
    PortableImage** frames = KVXMultiImageFrames(multi.get());
    frames[0] = ColorFrame(image, source, format).release();
    if (masked) frames[1] = MaskFrame(source).release();
    return multi;
}

template <typename Fill> PortableDocumentPtr BuildDocument(std::int32_t count, Fill fill) {
    try {
        PortableDocumentPtr document = NewPortableDocument(count);
        fill(KVXDocumentImages(document.get()));
        return document;
    } catch (...) {
        ReportError("Portable image creation failed");
        return nullptr;
    }
}

} // namespace

PortableMultiImagePtr ImageToPortable(const Image& image) {
    const std::uint32_t format = PortableFormatOf(image.targetFormat());
    return format == KVX_FORMAT_32BPP ? LayersToPortable(image) : PreviewToPortable(image, format);
}

PortableDocumentPtr BuildImageDocument(const Image& image) {
    return BuildDocument(
        1, [&](PortableMultiImage** images) { images[0] = ImageToPortable(image).release(); });
}

PortableDocumentPtr BuildProjectDocument(const Project& project) {
    std::vector<const Image*> chosen;
    for (const Image* image = project.firstImage(); image;
         image = project.imageAt(image->position() + 1))
        if (image->forExport()) chosen.push_back(image);
    return BuildDocument(std::int32_t(chosen.size()), [&](PortableMultiImage** images) {
        for (std::size_t i = 0; i < chosen.size(); ++i)
            images[i] = ImageToPortable(*chosen[i]).release();
    });
}

} // namespace kv
