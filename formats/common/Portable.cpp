#include "Portable.h"

#include "FormatError.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kvf {
namespace {

KVXServiceProc gServices = nullptr;

template <typename F> F Service(std::uint32_t id) {
    F f = gServices ? reinterpret_cast<F>(gServices(id)) : nullptr;
    if (!f) Fail(KVX_ERROR_PLUGIN);
    return f;
}

struct FreeImage {
    void operator()(PortableImage* i) const {
        if (i) Service<KVXFreeImageFn>(KVX_SC_FREE_IMAGE)(i);
    }
};
using ImagePtr = std::unique_ptr<PortableImage, FreeImage>;

template <typename T> T* Created(T* block) {
    if (!block) Fail(kTooLarge);
    return block;
}

PortablePalette* MakePalette(const std::vector<Color>& colors) {
    PortablePalette header{KVX_PALETTE_HEADER_SIZE, KVX_PALETTE_TYPE, 0,
                           std::int32_t(colors.size())};
    PortablePalette* p = Created(Service<KVXCreatePaletteFn>(KVX_SC_CREATE_PALETTE)(&header));
    PortablePaletteEntry* e = KVXPaletteEntries(p);
    for (std::size_t i = 0; i < colors.size(); ++i)
        e[i] = PortablePaletteEntry{colors[i].a, colors[i].r, colors[i].g, colors[i].b};
    return p;
}

ImagePtr MakeFrame(const Raster& raster, std::uint32_t type, const char* name) {
    PortableImage header{};
    header.size = KVX_IMAGE_HEADER_SIZE;
    header.frameType = type;
    header.format = raster.bits() << 16;
    header.flags = type == KVX_FRAME_IMAGE ? KVX_FRAME_CURRENT : 0;
    header.width = raster.width();
    header.height = raster.height();
    header.opacity = 1.0f;
    std::snprintf(header.name, sizeof header.name, "%s", name);
    ImagePtr frame(Created(Service<KVXCreateImageFn>(KVX_SC_CREATE_IMAGE)(&header)));
    if (!raster.pixels().empty())
        std::memcpy(KVXImagePixels(frame.get()), raster.pixels().data(), raster.pixels().size());
    if (raster.bits() <= 8 && type == KVX_FRAME_IMAGE) frame->palette = MakePalette(raster.palette);
    return frame;
}

Raster CopyFrame(PortableImage* frame, const Limits& limits) {
    Raster r(frame->width, frame->height, KVX_FORMAT_BITS(frame->format), limits);
    const std::uint8_t* pixels = KVXImagePixels(frame);
    if (pixels && !r.pixels().empty()) std::memcpy(r.pixels().data(), pixels, r.pixels().size());
    return r;
}

Raster Flattened(const PortableMultiImage* image, const Limits& limits) {
    auto flatten = Service<KVXFlattenMultiImageFn>(KVX_SC_FLATTEN_MULTI_IMAGE);
    MultiImagePtr flat(flatten(const_cast<PortableMultiImage*>(image), 0));
    if (!flat || flat->frameCount < 1 || !KVXMultiImageFrames(flat.get())[0]) {
        const std::uint32_t code = Service<KVXGetServiceErrorFn>(KVX_SC_GET_LAST_ERROR)();
        Fail(code ? code : kDamaged);
    }
    return CopyFrame(KVXMultiImageFrames(flat.get())[0], limits);
}

// The image frame that holds a palette image's indices as they are meant to
// be saved: visible, of the image's format and size, at the origin.
PortableImage* PaletteFrame(const PortableMultiImage* image) {
    PortableImage** frames = KVXMultiImageFrames(const_cast<PortableMultiImage*>(image));
    for (std::int32_t i = 0; i < image->frameCount; ++i) {
        PortableImage* f = frames[i];
        if (f && f->frameType == KVX_FRAME_IMAGE && f->format == image->format && f->palette &&
            !(f->flags & KVX_FRAME_HIDDEN) && f->width == image->width &&
            f->height == image->height && f->left == 0 && f->top == 0)
            return f;
    }
    return nullptr;
}

std::uint8_t Clamp255(std::uint32_t v) {
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(v, 255));
}

Raster IndexedFrame(PortableImage* frame, const Limits& limits) {
    Raster r = CopyFrame(frame, limits);
    const std::int32_t count = std::clamp<std::int32_t>(frame->palette->count, 0, 256);
    const PortablePaletteEntry* e = KVXPaletteEntries(frame->palette);
    for (std::int32_t i = 0; i < count; ++i)
        r.palette.push_back(
            Color{Clamp255(e[i].r), Clamp255(e[i].g), Clamp255(e[i].b), Clamp255(e[i].a)});
    return r;
}

} // namespace

void LinkServices(KVXServiceProc services) {
    gServices = services;
}
bool ServicesLinked() {
    return gServices != nullptr;
}

void FreeDocument::operator()(PortableDocument* d) const {
    if (d) Service<KVXFreeDocumentFn>(KVX_SC_FREE_DOCUMENT)(d);
}
void FreeMultiImage::operator()(PortableMultiImage* m) const {
    if (m) Service<KVXFreeMultiImageFn>(KVX_SC_FREE_MULTI_IMAGE)(m);
}

MultiImagePtr MakeMultiImage(const Picture& picture) {
    const Raster& image = picture.image;
    PortableMultiImage header{};
    header.size = KVX_MULTI_IMAGE_HEADER_SIZE;
    header.type = KVX_MULTI_IMAGE_TYPE;
    header.format = image.bits() << 16;
    header.width = image.width();
    header.height = image.height();
    header.resolutionX = picture.resolutionX;
    header.resolutionY = picture.resolutionY;
    header.frameCount = picture.mask.empty() ? 1 : 2;
    MultiImagePtr m(Created(Service<KVXCreateMultiImageFn>(KVX_SC_CREATE_MULTI_IMAGE)(&header)));
    KVXMultiImageFrames(m.get())[0] = MakeFrame(image, KVX_FRAME_IMAGE, "Background").release();
    if (!picture.mask.empty())
        KVXMultiImageFrames(m.get())[1] = MakeFrame(picture.mask, KVX_FRAME_MASK, "Mask").release();
    return m;
}

DocumentPtr MakeDocument(const std::vector<Picture>& pictures) {
    PortableDocument header{KVX_DOCUMENT_HEADER_SIZE, 0, std::int32_t(pictures.size()), 0};
    DocumentPtr d(Created(Service<KVXCreateDocumentFn>(KVX_SC_CREATE_DOCUMENT)(&header)));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        PortableMultiImage* m = MakeMultiImage(pictures[i]).release();
        if (i == 0) m->flags = KVX_MULTI_IMAGE_CURRENT;
        KVXDocumentImages(d.get())[i] = m;
    }
    return d;
}

std::uint32_t ExportPicture::targetBits() const {
    if (!indexed.empty()) return indexed.bits();
    return format == KVX_FORMAT_24BPP ? 24 : 32;
}

ExportPicture ReadForExport(const PortableMultiImage* image, const Limits& limits) {
    if (!image || image->width <= 0 || image->height <= 0) Fail(KVX_ERROR_INVALID_PARAMETER);
    ExportPicture p;
    p.width = image->width;
    p.height = image->height;
    p.resolutionX = image->resolutionX;
    p.resolutionY = image->resolutionY;
    p.format = image->format;
    p.rgba = Flattened(image, limits);
    const std::uint32_t bits = KVX_FORMAT_BITS(image->format);
    if (bits == 1 || bits == 4 || bits == 8) {
        if (PortableImage* frame = PaletteFrame(image)) p.indexed = IndexedFrame(frame, limits);
    }
    return p;
}

std::vector<const PortableMultiImage*> DocumentImages(const PortableDocument* document) {
    std::vector<const PortableMultiImage*> images;
    if (!document) return images;
    PortableMultiImage** all = KVXDocumentImages(const_cast<PortableDocument*>(document));
    for (std::int32_t i = 0; i < document->count; ++i)
        if (all[i]) images.push_back(all[i]);
    return images;
}

} // namespace kvf
