#include "tools/framework/PaintTarget.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "tools/framework/ToolGeometry.h"

namespace kv {

Layer* PaintableLayer(const Image* image) {
    if (!image) return nullptr;
    auto* layer = dynamic_cast<Layer*>(image->currentLayer());
    return layer && layer->visible() ? layer : nullptr;
}

std::optional<PaintTarget> PaintTarget::Of(Image* image, ChannelMode mode) {
    Layer* layer = PaintableLayer(image);
    if (!layer) return std::nullopt;
    PaintTarget target;
    target.image = image;
    target.layer = layer;
    target.pixels = &layer->editablePixels();
    target.level = layer->supersampled() ? kDetailLevel : 0;
    target.channelMode = mode;
    if (const Selection* selection = image->selection(); selection && selection->active()) {
        // A plain layer under a supersampled selection is limited by level 0.
        const MaskArray& mask =
            layer->supersampled() ? selection->editableMask() : selection->mask();
        if (mask.width() == target.pixels->width() && mask.height() == target.pixels->height())
            target.mask = &mask;
    }
    return target;
}

Rect PaintTarget::boundsInUnits() const {
    return LayerBoundsInUnits(layer->width(), layer->height());
}

void PaintTarget::refreshFromDetail(const Rect& units) const {
    if (level == 0) return;
    const Rect pixels = UnitsToImagePixels(units);
    layer->refreshFromDetail(&pixels);
}

} // namespace kv
