#include "ui/view/ViewRenderer.h"

#include "model/FixedPoint.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/MagnifiedRenderer.h"
#include "model/SelectionOutline.h"
#include "ui/view/ViewGrid.h"
#include "ui/view/ZoomTable.h"

#include <algorithm>

namespace kv {
namespace {

std::int32_t FloorDiv(std::int32_t n, std::int32_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// The one-pixel frame just outside the scaled image, where the clip reaches it.
void DrawFrame(PixelArray& buffer, const Rect& clip, const Rect& image) {
    const Rect outer{image.left - 1, image.top - 1, image.right + 1, image.bottom + 1};
    const Rect sides[] = {
        {outer.left, outer.top, outer.right, image.top},
        {outer.left, image.bottom, outer.right, outer.bottom},
        {outer.left, image.top, image.left, image.bottom},
        {image.right, image.top, outer.right, image.bottom},
    };
    for (const Rect& side : sides)
        buffer.fillRect(side.intersected(clip), kViewFrame);
}

// The below cache, the current layer and the above cache. Normal mode blends
// them all over the chequer; the channel modes copy the lowest present one.
void DrawSources(PixelArray& buffer, const Rect& area, const ViewScene& scene) {
    const Image& image = *scene.image;
    RenderOperation operation =
        scene.mode == ChannelMode::Normal ? RenderOperation::Blend : RenderOperation::Copy;
    const auto cache = [&](const PixelArray* raster) {
        if (!raster) return;
        RenderMagnified(buffer, area, scene.origin, scene.zoom, *raster, operation);
        operation = RenderOperation::Blend;
    };
    // An image without a current layer (a file may mark none) still shows
    // its picture: the composite holds every visible layer.
    if (!image.currentLayer()) cache(&image.composite());
    cache(image.validBelowCache());
    if (const LayerBase* layer = image.currentLayer(); layer && layer->visible()) {
        layer->render(buffer, area, scene.origin, scene.zoom, operation);
        operation = RenderOperation::Blend;
    }
    cache(image.validAboveCache());
    // Nothing shown at all: the channel modes rewrite transparent black.
    if (operation == RenderOperation::Copy) buffer.fillRect(area, 0);
}

bool SupersampledCurrentLayer(const Image& image) {
    const auto* layer = dynamic_cast<const Layer*>(image.currentLayer());
    return layer && layer->visible() && layer->supersampled();
}

GridStyle GridOf(const ViewColors& colors, std::int32_t spacing, float opacity) {
    return {spacing, colors.gridA, colors.gridB, OpacityToFraction(opacity)};
}

void DrawGrids(PixelArray& buffer, const Rect& area, const Rect& imageRect,
               const ViewScene& scene) {
    float opacity = PixelGridOpacity(scene.zoom);
    if (opacity <= 0.0f) return;
    if (SupersampledCurrentLayer(*scene.image) && SubPixelGridSpacing(scene.zoom) > 0) {
        const float fine = SubPixelGridOpacity(scene.zoom);
        DrawGrid(buffer, area, imageRect,
                 GridOf(scene.colors, SubPixelGridSpacing(scene.zoom), fine));
        opacity = PixelGridOpacityOver(opacity, fine);
    }
    DrawGrid(buffer, area, imageRect, GridOf(scene.colors, scene.zoom, opacity));
}

} // namespace

void FillChequer(PixelArray& buffer, const Rect& areaIn, Point origin, Color32 a, Color32 b) {
    const Rect area = areaIn.intersected(buffer.bounds());
    if (area.isEmpty()) return;
    const std::int32_t firstColumn = FloorDiv(area.left - origin.x, kChequerSquare);
    // Pixels from area.left to the end of the first square.
    const std::int32_t firstRun = origin.x + (firstColumn + 1) * kChequerSquare - area.left;
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const std::int32_t rowIndex = FloorDiv(y - origin.y, kChequerSquare);
        bool useA = ((firstColumn + rowIndex) & 1) == 0;
        Color32* row = buffer.row(y);
        std::int32_t x = area.left;
        std::int32_t run = firstRun;
        while (x < area.right) {
            const std::int32_t end = std::min(area.right, x + run);
            std::fill(row + x, row + end, useA ? a : b);
            x = end;
            run = kChequerSquare;
            useA = !useA;
        }
    }
}

void ApplyChannelMode(PixelArray& buffer, const Rect& areaIn, ChannelMode mode) {
    const Rect area = areaIn.intersected(buffer.bounds());
    if (mode == ChannelMode::Normal || area.isEmpty()) return;
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        Color32* p = buffer.row(y) + area.left;
        Color32* const end = buffer.row(y) + area.right;
        if (mode == ChannelMode::ColorOnly) {
            for (; p < end; ++p)
                *p |= 0xFF000000u;
        } else {
            for (; p < end; ++p) {
                const unsigned a = AlphaOf(*p);
                *p = MakeColor32(a, a, a, 255);
            }
        }
    }
}

void RenderView(PixelArray& buffer, const Rect& clipIn, const ViewScene& scene) {
    const Rect clip = clipIn.intersected(buffer.bounds());
    if (clip.isEmpty()) return;
    buffer.fillRect(clip, kViewBackground);
    const Image* image = scene.image;
    if (!image || image->width() <= 0 || image->height() <= 0) return;
    const Rect imageRect{scene.origin.x, scene.origin.y,
                         scene.origin.x + image->width() * scene.zoom,
                         scene.origin.y + image->height() * scene.zoom};
    DrawFrame(buffer, clip, imageRect);
    const Rect area = clip.intersected(imageRect);
    if (area.isEmpty()) return;
    if (scene.mode == ChannelMode::Normal)
        FillChequer(buffer, area, scene.origin, scene.colors.chequerA, scene.colors.chequerB);
    DrawSources(buffer, area, scene);
    ApplyChannelMode(buffer, area, scene.mode);
    DrawGrids(buffer, area, imageRect, scene);
    if (const Selection* selection = image->selection(); selection && selection->active())
        DrawSelectionOutline(*selection, buffer, area, scene.origin, scene.zoom,
                             scene.outlinePhase);
}

} // namespace kv
