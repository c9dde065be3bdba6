#include "editing/actions/PasteAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/SnapshotRedraw.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "platform/Exceptions.h"

namespace kv {

PasteAction::PasteAction(const Image& image) : Action(&image, "Paste") {
    PasteAction::capture(image);
}

void PasteAction::capture(const Image& image) {
    m_captured = TakeSelectionRecord(image, m_selection);
}

bool PasteAction::takePastedPicture() {
    m_picture = LayerSnapshotRecord::take();
    return m_picture != nullptr;
}

bool PasteAction::redo(Image& image) {
    if (!m_captured || !m_picture) return false;
    SnapshotCommit commit(image);
    if (!m_picture->restore()) throw CKVException("Undo data restoration failed");
    if (Selection* selection = image.selection()) selection->clear(image);
    {
        ImageUpdateLock lock(image);
        Layer& layer =
            InsertNewRasterLayer(image, layerId(), LayerSnapshot::instance().level() > 0);
        RedrawLayerFromSnapshot(layer, false);
    }
    RefreshUserInterface(image);
    return true;
}

bool PasteAction::undo(Image& image) {
    LayerBase* pasted = LayerAboveOrTop(image, layerId());
    if (!pasted) return false;
    SnapshotCommit commit(image);
    DestroyInsertedLayer(image, *pasted, layerId());
    RestoreSelectionRecord(image, m_selection.get());
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
