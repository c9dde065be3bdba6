#include "editing/records/LayerRecord.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/LayerSnapshot.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "platform/Exceptions.h"

#include <new>

namespace kv {

std::unique_ptr<LayerRecord> LayerRecord::take(const LayerBase& layer) {
    std::unique_ptr<LayerRecord> record;
    try {
        record = std::make_unique<LayerRecord>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    record->kind = layer.kind();
    record->id = layer.id();
    record->belowId = layer.below() ? static_cast<std::int32_t>(layer.below()->id()) : -1;
    record->nameNumber = layer.nameNumber();
    record->visible = layer.visible();
    record->opacity = layer.opacity();
    record->blendMode = layer.blendMode();
    record->width = layer.width();
    record->height = layer.height();
    record->name = layer.name();
    record->supersampled = layer.supersamplingFactor() > 0;
    record->pixels = CaptureRegion(EditablePixelsOf(layer), nullptr, nullptr);
    if (!record->pixels) return nullptr;
    return record;
}

bool LayerRecord::restoreInto(LayerBase& layer) const {
    auto* raster = dynamic_cast<Layer*>(&layer);
    if (!raster || layer.width() != width || layer.height() != height || !pixels) return false;
    raster->setSupersampled(supersampled);
    if (!RestoreRegion(pixels.get(), raster->editablePixels(), RestoreMode::Write)) return false;
    layer.setId(id);
    layer.setNameNumber(nameNumber);
    layer.setVisible(visible);
    layer.setOpacity(opacity);
    layer.setBlendMode(blendMode);
    layer.setName(name);
    layer.refreshFromDetail(nullptr);
    return true;
}

LayerBase& LayerRecord::recreate(Image& image) const {
    ImageUpdateLock lock(image);
    std::unique_ptr<Layer> fresh = CreateRasterLayer();
    fresh->setId(id);
    fresh->setNameNumber(nameNumber);
    LayerBase& layer = InsertLayerAbove(image, std::move(fresh), belowId);
    if (!restoreInto(layer)) {
        image.removeLayer(&layer);
        throw CKVException("Layer restoration failed");
    }
    return layer;
}

} // namespace kv
