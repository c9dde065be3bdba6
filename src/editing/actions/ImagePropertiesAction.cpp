#include "editing/actions/ImagePropertiesAction.h"

#include "editing/actions/ActionSupport.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/ImageTransform.h"
#include "platform/Exceptions.h"

namespace kv {
namespace {

ImagePropertiesAction::Values ValuesOf(const Image& image) {
    return {image.width(),
            image.height(),
            image.horizontalResolution(),
            image.verticalResolution(),
            image.targetFormat(),
            image.storedOption(),
            image.paletteLocked(),
            image.forExport()};
}

// Sets each value that differs through its mutator, in the dialog's order;
// reports whether anything changed.
bool ApplyValues(Image& image, const ImagePropertiesAction::Values& v, bool applyLock) {
    bool changed = false;
    if (image.horizontalResolution() != v.horizontalResolution) {
        image.setHorizontalResolution(v.horizontalResolution);
        changed = true;
    }
    if (image.verticalResolution() != v.verticalResolution) {
        image.setVerticalResolution(v.verticalResolution);
        changed = true;
    }
    if (image.targetFormat() != v.targetFormat) {
        image.setTargetFormat(v.targetFormat);
        changed = true;
    }
    if (image.storedOption() != v.storedOption) {
        image.setStoredOption(v.storedOption);
        changed = true;
    }
    if (applyLock && image.paletteLocked() != v.paletteLocked) {
        image.setPaletteLocked(v.paletteLocked);
        changed = true;
    }
    if (image.forExport() != v.forExport) {
        image.setForExport(v.forExport);
        changed = true;
    }
    return changed;
}

bool SizeDiffers(const Image& image, const ImagePropertiesAction::Values& v) {
    return image.width() != v.width || image.height() != v.height;
}

} // namespace

ImagePropertiesAction::ImagePropertiesAction(const Image& image)
    : Action(&image, "Image Properties") {
    ImagePropertiesAction::capture(image);
}

void ImagePropertiesAction::capture(const Image& image) {
    oldValues = ValuesOf(image);
    newValues = oldValues;
}

bool ImagePropertiesAction::takeRecords(const Image& image) {
    if (SizeDiffers(image, newValues)) {
        const Selection* selection = image.selection();
        if (selection && selection->active() && !TakeSelectionRecord(image, m_selection))
            return false;
        if (!m_layers && image.bottomLayer()) {
            m_layers = LayerRecordTable::take(*image.bottomLayer(), *image.topLayer());
            if (!m_layers) return false;
        }
    }
    const bool unlocks = setPaletteLocked && !newValues.paletteLocked;
    const bool reformats = newValues.targetFormat != image.targetFormat();
    if (image.palette() && image.paletteLocked() && (unlocks || reformats) && !m_palette) {
        m_palette = PaletteRecord::take(*image.palette());
        if (!m_palette) return false;
    }
    return true;
}

bool ImagePropertiesAction::redo(Image& image) {
    if (!takeRecords(image)) return false;
    SnapshotCommit commit(image);
    image.lockUpdates();
    bool changed = false;
    try {
        if (SizeDiffers(image, newValues)) {
            ResizeImage(image, newValues.width, newValues.height);
            changed = true;
        }
        changed = ApplyValues(image, newValues, setPaletteLocked) || changed;
    } catch (...) {
        image.unlockUpdates();
        throw;
    }
    if (!changed) {
        image.unlockUpdatesQuietly();
        return false;
    }
    image.unlockUpdates();
    RefreshUserInterface(image);
    return true;
}

bool ImagePropertiesAction::undo(Image& image) {
    SnapshotCommit commit(image);
    {
        ImageUpdateLock lock(image);
        if (SizeDiffers(image, oldValues)) {
            image.setSize(oldValues.width, oldValues.height);
            for (std::int32_t i = 1; i <= image.layerCount(); ++i)
                image.layerAt(static_cast<std::uint32_t>(i))->fitToImage();
        }
        // A format change may have moved the lock too, so it always comes back.
        ApplyValues(image, oldValues, true);
        RestoreSelectionRecord(image, m_selection.get());
        if (m_palette && image.palette() && !m_palette->restore(*image.palette()))
            throw CKVException("Undo data restoration failed");
        if (m_layers) m_layers->restoreInto(image);
    }
    RefreshUserInterface(image);
    return true;
}

} // namespace kv
