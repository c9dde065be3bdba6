#include "editing/actions/LayerPropertiesAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/history/ActionCoder.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "platform/Exceptions.h"

#include <cmath>

namespace kv {
namespace {

constexpr float kOpacityTolerance = 0.000001f;

// Sets each value that differs; reports what changed.
struct Changes {
    bool name = false;
    bool other = false;
};
Changes Apply(Layer& layer, const LayerPropertiesAction::Values& values) {
    Changes changes;
    if (layer.name() != values.name) {
        layer.setName(values.name);
        changes.name = true;
    }
    if (layer.visible() != values.visible) {
        layer.setVisible(values.visible);
        changes.other = true;
    }
    if (std::fabs(layer.opacity() - values.opacity) >= kOpacityTolerance) {
        layer.setOpacity(values.opacity);
        changes.other = true;
    }
    if (layer.supersampled() != values.supersampled) {
        layer.setSupersampled(values.supersampled);
        changes.other = true;
    }
    return changes;
}

void Publish(Image& image, const Changes& changes) {
    if (changes.other)
        image.update();
    else
        image.markModified();
    RefreshUserInterface(image);
}

} // namespace

LayerPropertiesAction::LayerPropertiesAction(const Image& image)
    : Action(&image, "Layer Properties") {
    LayerPropertiesAction::capture(image);
}

void LayerPropertiesAction::capture(const Image& image) {
    if (const Layer* layer = FindRasterLayer(image, layerId())) {
        oldValues = {layer->name(), layer->visible(), layer->opacity(), layer->supersampled()};
        newValues = oldValues;
    }
    if (const Selection* selection = image.selection())
        selectionWasSupersampled = selection->supersampled();
}

bool LayerPropertiesAction::redo(Image& image) {
    Layer* layer = FindRasterLayer(image, layerId());
    if (!layer) return false;
    if (newValues.supersampled != layer->supersampled() && !m_raster) {
        ActionCoder::instance().reset();
        m_raster = CaptureRegion(layer->editablePixels(), nullptr, nullptr);
        if (!m_raster) return false;
    }
    SnapshotCommit commit(image);
    const Changes changes = Apply(*layer, newValues);
    if (!changes.name && !changes.other) return false;
    Publish(image, changes);
    return true;
}

bool LayerPropertiesAction::undo(Image& image) {
    Layer* layer = FindRasterLayer(image, layerId());
    if (!layer) return false;
    SnapshotCommit commit(image);
    const Changes changes = Apply(*layer, oldValues);
    if (m_raster) {
        if (!RestoreRegion(m_raster.get(), layer->editablePixels(), RestoreMode::Write))
            throw CKVException("Undo data restoration failed");
        layer->refreshFromDetail(nullptr);
    }
    if (changes.other || m_raster)
        image.update();
    else
        image.markModified();
    if (Selection* selection = image.selection())
        selection->setSupersampled(selectionWasSupersampled);
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
