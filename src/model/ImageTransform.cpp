#include "model/ImageTransform.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "model/Resampler.h"
#include "platform/Exceptions.h"

#include <cstddef>
#include <utility>

namespace kv {
namespace {

PixelArray& EditableRaster(LayerBase& layer) {
    if (auto* raster = dynamic_cast<Layer*>(&layer)) return raster->editablePixels();
    return layer.pixels();
}

// Every layer goes through the same three steps: its editable raster is
// copied aside, the layer is fitted to the (new) image size, and `rebuild`
// writes the new editable raster from the copy. The derived levels follow.
template <typename Rebuild> void RebuildLayers(Image& image, Rebuild&& rebuild) {
    PixelArray scratch;
    for (std::int32_t i = 1; i <= image.layerCount(); ++i) {
        LayerBase& layer = *image.layerAt(static_cast<std::uint32_t>(i));
        const PixelArray& editable = EditableRaster(layer);
        scratch.assign(editable);
        if (scratch.isEmpty() && !editable.isEmpty()) throw CKVException("Insufficient memory");
        layer.fitToImage();
        rebuild(scratch, EditableRaster(layer), layer.supersamplingFactor());
        layer.refreshFromDetail(nullptr);
    }
}

// Where destination row y starts in the source and how far apart its pixels
// lie there, for each reorientation code.
struct SourceWalk {
    const Color32* start;
    std::ptrdiff_t step;
};

SourceWalk WalkFor(int code, const PixelArray& src, std::int32_t y) {
    const std::int32_t w = src.width();
    const std::int32_t h = src.height();
    switch (code) {
    case 1:
        return {src.row(y) + (w - 1), -1};
    case 2:
        return {src.row(h - 1 - y), 1};
    case 3:
        return {src.row(h - 1) + y, -static_cast<std::ptrdiff_t>(w)};
    case 4:
        return {src.row(h - 1 - y) + (w - 1), -1};
    default:
        return {src.row(0) + (w - 1 - y), w};
    }
}

void Reorient(const PixelArray& src, PixelArray& dst, int code) {
    if (src.isEmpty() || dst.isEmpty()) return;
    for (std::int32_t y = 0; y < dst.height(); ++y) {
        const SourceWalk walk = WalkFor(code, src, y);
        const Color32* s = walk.start;
        Color32* d = dst.row(y);
        for (std::int32_t x = 0; x < dst.width(); ++x, s += walk.step)
            d[x] = *s;
    }
}

std::int32_t Scale(std::int32_t value, int factor) {
    return value * (1 << factor);
}

} // namespace

const char* OrientationUndoName(int code) {
    return code == 1 || code == 2 ? "Flip Image" : "Rotate Image";
}

void SetImageBounds(Image& image, const Rect& rect) {
    ImageUpdateLock lock(image);
    if (rect == image.bounds()) {
        if (Selection* selection = image.selection()) selection->clear(image);
        return;
    }
    image.setSize(rect.width(), rect.height());
    RebuildLayers(image, [&rect](const PixelArray& old, PixelArray& editable, int f) {
        editable.fill(0);
        CopyRaster(editable, 0, 0, old, Scale(rect.left, f), Scale(rect.top, f),
                   Scale(rect.width(), f), Scale(rect.height(), f));
    });
    if (Selection* selection = image.selection()) selection->clear(image);
}

void ReorientImage(Image& image, int code) {
    if (!IsValidOrientation(code)) return;
    ImageUpdateLock lock(image);
    if (code == 3 || code == 5) {
        image.setSize(image.height(), image.width());
        image.setResolution(image.verticalResolution(), image.horizontalResolution());
    }
    RebuildLayers(image, [code](const PixelArray& old, PixelArray& editable, int) {
        Reorient(old, editable, code);
    });
    if (Selection* selection = image.selection()) selection->clear(image);
}

void ResizeImage(Image& image, std::int32_t width, std::int32_t height) {
    if (width == image.width() && height == image.height()) return;
    ImageUpdateLock lock(image);
    image.setSize(width, height);
    RebuildLayers(
        image, [](const PixelArray& old, PixelArray& editable, int) { Resample(editable, old); });
}

} // namespace kv
