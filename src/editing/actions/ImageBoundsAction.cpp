#include "editing/actions/ImageBoundsAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/ImageTransform.h"
#include "platform/Exceptions.h"

namespace kv {

ImageBoundsAction::ImageBoundsAction(const Image& image) : Action(&image, "Image Bounds") {
    ImageBoundsAction::capture(image);
}

void ImageBoundsAction::capture(const Image& image) {
    oldWidth = image.width();
    oldHeight = image.height();
    bounds = image.bounds();
    m_captured = TakeSelectionRecord(image, m_selection);
    if (m_captured && image.bottomLayer()) {
        m_layers = LayerRecordTable::take(*image.bottomLayer(), *image.topLayer());
        m_captured = m_layers != nullptr;
    }
}

bool ImageBoundsAction::redo(Image& image) {
    if (!m_captured || bounds.isEmpty()) return false;
    SnapshotCommit commit(image);
    SetImageBounds(image, bounds);
    RefreshUserInterface(image);
    return true;
}

bool ImageBoundsAction::undo(Image& image) {
    if (!m_captured) return false;
    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        if (image.width() != oldWidth || image.height() != oldHeight) {
            image.setSize(oldWidth, oldHeight);
            for (std::int32_t i = 1; i <= image.layerCount(); ++i)
                image.layerAt(static_cast<std::uint32_t>(i))->fitToImage();
        }
        RestoreSelectionRecord(image, m_selection.get());
        if (m_layers) m_layers->restoreInto(image);
    }
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
