#include "editing/actions/ActionSupport.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "platform/Exceptions.h"

#include <new>

namespace kv {
namespace {
ActionRefreshHandler& RefreshHandler() {
    static ActionRefreshHandler handler;
    return handler;
}
} // namespace

LayerBase* FindLayerById(const Image& image, std::int32_t id) {
    return id < 0 ? nullptr : image.findLayer(static_cast<std::uint32_t>(id));
}

Layer* FindRasterLayer(const Image& image, std::int32_t id) {
    return dynamic_cast<Layer*>(FindLayerById(image, id));
}

LayerBase* PlacementAbove(const Image& image, std::int32_t id) {
    if (const LayerBase* below = FindLayerById(image, id)) return below->above();
    return image.bottomLayer();
}

LayerBase& InsertLayerAbove(Image& image, std::unique_ptr<LayerBase> layer, std::int32_t id) {
    return *image.insertLayer(std::move(layer), PlacementAbove(image, id));
}

void MoveLayerAbove(Image& image, LayerBase& layer, std::int32_t id) {
    LayerBase* before = PlacementAbove(image, id);
    if (before != &layer) image.moveLayer(&layer, before);
}

LayerBase* LayerAboveOrTop(const Image& image, std::int32_t id) {
    if (const LayerBase* below = FindLayerById(image, id)) return below->above();
    return image.topLayer();
}

void DestroyLayer(Image& image, LayerBase& layer) {
    image.removeLayer(&layer).reset();
}

void DestroyInsertedLayer(Image& image, LayerBase& layer, std::int32_t belowId) {
    ImageUpdateLock lock(image);
    DestroyLayer(image, layer);
    image.setCurrentLayer(FindLayerById(image, belowId));
}

std::unique_ptr<Layer> CreateRasterLayer() {
    try {
        return std::make_unique<Layer>();
    } catch (const std::bad_alloc&) {
        throw CKVException("Raster layer creation failed");
    }
}

Layer& InsertNewRasterLayer(Image& image, std::int32_t belowId, bool supersampled) {
    std::unique_ptr<Layer> fresh = CreateRasterLayer();
    Layer& layer = *fresh;
    if (belowId < 0)
        image.insertLayer(std::move(fresh));
    else
        InsertLayerAbove(image, std::move(fresh), belowId);
    layer.setSupersampled(supersampled);
    image.setCurrentLayer(&layer);
    return layer;
}

Rect DetailToImageRect(const Rect& rect, int factor) {
    if (factor == 0) return rect;
    const int scale = 1 << factor;
    auto down = [scale](std::int32_t v) {
        return v >= 0 ? v / scale : -((-v + scale - 1) / scale);
    };
    return {down(rect.left), down(rect.top), down(rect.right - 1) + 1, down(rect.bottom - 1) + 1};
}

void SetActionRefreshHandler(ActionRefreshHandler handler) {
    RefreshHandler() = std::move(handler);
}

void RefreshUserInterface(Image& image) {
    if (const ActionRefreshHandler& handler = RefreshHandler()) handler(image);
}

} // namespace kv
