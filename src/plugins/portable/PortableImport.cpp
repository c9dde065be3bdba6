#include "plugins/portable/PortableImport.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "platform/ErrorReporter.h"
#include "plugins/portable/PortableConversion.h"
#include "plugins/portable/PortableError.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace kv {
namespace {

float SaneResolution(float value) {
    return std::isfinite(value) && value > 0.0f ? value : kDefaultResolution;
}

float SaneOpacity(float value) {
    return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 1.0f;
}

std::string FrameName(const PortableImage& frame) {
    return std::string(frame.name, strnlen(frame.name, sizeof frame.name - 1));
}

// What the frames of one multi-image have decided so far.
struct ImportState {
    TargetFormat target = TargetFormat::None;
    std::vector<PortablePaletteEntry> palette;
    bool havePalette = false;
};

void ApplyMask(Image& image, const ImageView& mask) {
    if (mask.header->format != KVX_FORMAT_1BPP) {
        ReportError("Unsupported mask format");
        return;
    }
    for (LayerBase* layer = image.bottomLayer(); layer; layer = layer->above())
        ApplyPortableMask(layer->pixels(), mask);
}

void AddLayer(Image& image, const ImageView& frame, const PixelArray& pixels) {
    const PortableImage& header = *frame.header;
    auto owned = std::make_unique<Layer>();
    owned->setName(FrameName(header));
    owned->setVisible(!(header.flags & KVX_FRAME_HIDDEN));
    owned->setOpacity(SaneOpacity(header.opacity));
    LayerBase* layer = image.insertLayer(std::move(owned));
    if (layer->pixels().width() != image.width() || layer->pixels().height() != image.height())
        throw PortableError(KVX_ERROR_OUT_OF_MEMORY);
    if (!PlacedFrameRect(header).intersected(layer->pixels().bounds()).isEmpty())
        CopyRaster(layer->pixels(), header.left, header.top, pixels);
    if ((header.flags & KVX_FRAME_CURRENT) && !image.currentLayer()) image.setCurrentLayer(layer);
}

// Every image frame has its say in the target format and palette, also one
// whose pixels cannot be converted.
void ImportImageFrame(Image& image, const ImageView& frame, ImportState& state) {
    state.target = std::max(state.target, ProposedTargetFormat(frame));
    if (frame.palette.header) {
        state.palette.assign(frame.palette.entries, frame.palette.entries + frame.palette.count);
        state.havePalette = true;
    }
    PixelArray pixels;
    try {
        ReadPortablePixels(frame, pixels);
    } catch (const PortableError&) {
        ReportError("Layer conversion error");
        return;
    }
    AddLayer(image, frame, pixels);
}

void ImportFrame(Image& image, const PortableImage* frame, ImportState& state) {
    ImageView view;
    try {
        view = CheckImage(frame);
    } catch (const PortableError&) {
        ReportError("Layer conversion error");
        return;
    }
    if (frame->frameType == KVX_FRAME_MASK)
        ApplyMask(image, view);
    else if (frame->frameType == KVX_FRAME_IMAGE)
        ImportImageFrame(image, view, state);
}

void CopyPalette(Image& image, const std::vector<PortablePaletteEntry>& entries) {
    Palette* palette = image.palette();
    if (!palette || !palette->setCount(std::int32_t(entries.size()))) return;
    const auto clamp = [](std::uint32_t v) {
        return std::int32_t(std::min<std::uint32_t>(v, 255));
    };
    for (std::size_t i = 0; i < entries.size(); ++i)
        palette->entry(std::int32_t(i))
            .setArgb(clamp(entries[i].a), clamp(entries[i].r), clamp(entries[i].g),
                     clamp(entries[i].b));
    image.setPaletteLocked(true);
}

} // namespace

TargetFormat ProposedTargetFormat(const ImageView& frame) {
    switch (frame.bits) {
    case 1:
        return frame.palette.header ? TargetFormat::Mono : TargetFormat::Rgb24;
    case 4:
        return frame.palette.header ? TargetFormat::Palette4 : TargetFormat::Rgb24;
    case 8:
        return frame.palette.header ? TargetFormat::Palette8 : TargetFormat::Rgb24;
    case 16:
    case 24:
    case 48:
        return TargetFormat::Rgb24;
    default:
        return TargetFormat::Rgba32;
    }
}

std::unique_ptr<Image> PortableToImage(const PortableMultiImage* multiImage) {
    const MultiImageView view = CheckMultiImage(multiImage);
    if (multiImage->width < 1 || multiImage->height < 1)
        throw PortableError(KVX_ERROR_INVALID_DATA);
    auto image = std::make_unique<Image>();
    ImportState state;
    {
        ImageUpdateLock lock(*image);
        image->setSize(multiImage->width, multiImage->height);
        if (image->composite().width() != multiImage->width ||
            image->composite().height() != multiImage->height)
            throw PortableError(KVX_ERROR_OUT_OF_MEMORY);
        image->setResolution(SaneResolution(multiImage->resolutionX),
                             SaneResolution(multiImage->resolutionY));
        for (std::int32_t i = 0; i < view.count; ++i)
            if (view.frames[i]) ImportFrame(*image, view.frames[i], state);
        if (state.target == TargetFormat::None) state.target = TargetFormat::Rgba32;
        image->setTargetFormat(state.target);
        if (state.havePalette) CopyPalette(*image, state.palette);
    }
    return image;
}

std::unique_ptr<Project> DocumentToProject(const PortableDocument* document) {
    const DocumentView view = CheckDocument(document);
    auto project = std::make_unique<Project>();
    for (std::int32_t i = 0; i < view.count; ++i) {
        const PortableMultiImage* multiImage = view.images[i];
        if (!multiImage) continue;
        Image* image = project->addImage(PortableToImage(multiImage));
        if (multiImage->flags & KVX_MULTI_IMAGE_CURRENT) project->setCurrentImage(image);
    }
    return project;
}

} // namespace kv
