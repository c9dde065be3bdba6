#include "editing/actions/MergeLayersAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/Snapshots.h"
#include "model/Flattener.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "platform/Exceptions.h"

namespace kv {

MergeLayersAction::MergeLayersAction(const Image& image) : Action(&image, "Merge Layers") {
    topId = layerId();
    bottomId = layerBelowId();
    if (const LayerBase* below = FindLayerById(image, bottomId)) resultName = below->name();
}

bool MergeLayersAction::findRun(const Image& image, LayerBase*& bottom, LayerBase*& top) const {
    bottom = mergeAll ? image.bottomLayer() : FindLayerById(image, bottomId);
    top = mergeAll ? image.topLayer() : FindLayerById(image, topId);
    // Raster layers are the only kind, so the bottom one always holds the result.
    return dynamic_cast<Layer*>(bottom) && top && bottom->position() < top->position();
}

bool MergeLayersAction::redo(Image& image) {
    LayerBase* bottom = nullptr;
    LayerBase* top = nullptr;
    if (!findRun(image, bottom, top)) return false;
    if (!m_records) {
        m_records = LayerRecordTable::take(*bottom, *top);
        if (!m_records) return false;
    }
    PixelArray merged;
    const bool detailed = MergeLayerRun(merged, *bottom, *top);
    if (merged.isEmpty() && image.width() > 0 && image.height() > 0)
        throw CKVException("Insufficient memory");

    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        while (bottom->above() && bottom->above()->position() <= top->position()) {
            LayerBase* gone = bottom->above();
            const bool wasTop = gone == top;
            DestroyLayer(image, *gone);
            if (wasTop) break;
        }
        auto* result = static_cast<Layer*>(bottom);
        result->setVisible(true);
        result->setName(resultName);
        if (mergeAll) result->setNameNumber(1);
        // The merged pixels already carry every layer's opacity and mode.
        result->setOpacity(1.0f);
        result->setBlendMode(BlendMode::Normal);
        result->setSupersampled(detailed);
        CopyRaster(result->editablePixels(), 0, 0, merged);
        result->refreshFromDetail(nullptr);
        image.setCurrentLayer(result);
        resultId = static_cast<std::int32_t>(result->id());
    }
    RefreshUserInterface(image);
    return true;
}

bool MergeLayersAction::undo(Image& image) {
    LayerBase* result = FindLayerById(image, resultId);
    if (!result || !m_records || m_records->count() == 0) return false;
    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        if (!m_records->at(0).restoreInto(*result))
            throw CKVException("Undo data restoration failed");
        for (std::int32_t i = 1; i < m_records->count(); ++i)
            m_records->at(i).recreate(image);
        image.setCurrentLayer(FindLayerById(image, layerId()));
    }
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
