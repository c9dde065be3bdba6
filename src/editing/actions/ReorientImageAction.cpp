#include "editing/actions/ReorientImageAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/ImageTransform.h"

namespace kv {

ReorientImageAction::ReorientImageAction(const Image& image) : Action(&image, "Reorient Image") {
    ReorientImageAction::capture(image);
}

void ReorientImageAction::capture(const Image& image) {
    m_captured = TakeSelectionRecord(image, m_selection);
}

bool ReorientImageAction::redo(Image& image) {
    if (!m_captured || !IsValidOrientation(code)) return false;
    SnapshotCommit commit(image);
    ReorientImage(image, code);
    RefreshUserInterface(image);
    return true;
}

bool ReorientImageAction::undo(Image& image) {
    if (!m_captured || !IsValidOrientation(code)) return false;
    SnapshotCommit commit(image);
    ReorientImage(image, InverseOrientation(code));
    RestoreSelectionRecord(image, m_selection.get());
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
