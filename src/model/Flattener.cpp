#include "model/Flattener.h"

#include "model/Compositor.h"
#include "model/SupersampleSet.h"

namespace kv {

namespace {

// The run from bottom to top; stops at the end of the stack if top is not
// above bottom.
template <typename Visit>
void ForEachInRun(const LayerBase& bottom, const LayerBase& top, Visit visit) {
    for (const LayerBase* layer = &bottom; layer; layer = layer == &top ? nullptr : layer->above())
        visit(*layer);
}

// Whether a layer replaces what lies below rather than blending over it.
bool CopiesInto(const LayerBase& layer, bool anyDrawn) {
    return !anyDrawn || layer.blendMode() == BlendMode::Replace;
}

} // namespace

bool Flatten(PixelArray& dst, const Rect& area, const LayerBase& bottom, const LayerBase& top) {
    const Rect clipped = area.intersected(dst.bounds());
    bool anyDrawn = false;
    ForEachInRun(bottom, top, [&](const LayerBase& layer) {
        if (!layer.visible()) return;
        if (!clipped.isEmpty()) {
            if (CopiesInto(layer, anyDrawn)) {
                CopyRaster(dst, layer.pixels(), clipped);
                ScaleAlpha(dst, clipped, layer.opacity());
            } else {
                BlendOver(dst, Point{clipped.left, clipped.top}, layer.pixels(), clipped,
                          layer.opacity());
            }
        }
        anyDrawn = true;
    });
    return anyDrawn;
}

bool MergeLayerRun(PixelArray& work, const LayerBase& bottom, const LayerBase& top) {
    bool detailed = false;
    ForEachInRun(bottom, top, [&](const LayerBase& layer) {
        detailed = detailed || (layer.visible() && layer.supersamplingFactor() > 0);
    });
    const int zoom = detailed ? SupersampleSet::kFactor : 1;
    work.setSize(bottom.width() * zoom, bottom.height() * zoom);
    bool anyDrawn = false;
    ForEachInRun(bottom, top, [&](const LayerBase& layer) {
        if (!layer.visible()) return;
        const RenderOperation operation =
            CopiesInto(layer, anyDrawn) ? RenderOperation::Copy : RenderOperation::Blend;
        // A plain layer's render at zoom 8 magnifies it; a supersampled one
        // draws its 8x level unmagnified.
        layer.render(work, work.bounds(), Point{0, 0}, zoom, operation);
        anyDrawn = true;
    });
    if (!anyDrawn) work.fill(0);
    return detailed;
}

} // namespace kv
