#include "editing/actions/ShiftAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "editing/records/SnapshotRedraw.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "platform/Exceptions.h"

namespace kv {

ShiftAction::ShiftAction(const Image& image) : Action(&image, "Shift") {
    ShiftAction::capture(image);
}

void ShiftAction::capture(const Image&) {
    m_layerSnapshot = LayerSnapshotRecord::take();
    m_selectionSnapshot = SelectionSnapshotRecord::take();
}

bool ShiftAction::render(Image& image, bool moved) {
    Layer* layer = FindRasterLayer(image, layerId());
    if (!layer || !m_layerSnapshot || !m_selectionSnapshot) return false;
    Selection* selection = image.selection();
    const bool active = selection && selection->active();
    SnapshotCommit commit(image);
    if (!m_layerSnapshot->restore() || !m_selectionSnapshot->restore())
        throw CKVException("Undo data restoration failed");
    if (moved) {
        LayerSnapshot& layerSnapshot = LayerSnapshot::instance();
        layerSnapshot.setOffset(layerSnapshot.offset() + offset);
        if (active) {
            SelectionSnapshot& selectionSnapshot = SelectionSnapshot::instance();
            selectionSnapshot.setOffset(selectionSnapshot.offset() + offset);
        }
    }
    if (!RedrawLayerFromSnapshot(*layer, active) ||
        (active && !RedrawSelectionFromSnapshot(*selection)))
        throw CKVException("Undo data restoration failed");
    image.update();
    RefreshUserInterface(image);
    return true;
}

bool ShiftAction::redo(Image& image) {
    return render(image, true);
}

bool ShiftAction::undo(Image& image) {
    return render(image, false);
}

} // namespace kv
