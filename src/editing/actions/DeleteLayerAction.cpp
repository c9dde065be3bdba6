#include "editing/actions/DeleteLayerAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/history/ActionCoder.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "platform/Exceptions.h"

namespace kv {

DeleteLayerAction::DeleteLayerAction(const Image& image) : Action(&image, "Delete Layer") {}

bool DeleteLayerAction::redo(Image& image) {
    LayerBase* layer = FindLayerById(image, layerId());
    if (!layer) return false;
    if (!m_record) {
        ActionCoder::instance().reset();
        m_record = LayerRecord::take(*layer);
        if (!m_record) return false;
    }
    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        image.setCurrentLayer(layer->below() ? layer->below() : layer->above());
        DestroyLayer(image, *layer);
    }
    RefreshUserInterface(image);
    return true;
}

bool DeleteLayerAction::undo(Image& image) {
    if (!m_record) return false;
    SnapshotCommit commit(image);
    LayerBase& layer = m_record->recreate(image);
    image.setCurrentLayer(&layer);
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
