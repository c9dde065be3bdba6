#pragma once
#include "editing/history/Action.h"
#include "editing/records/LayerRecordTable.h"
#include "editing/records/PaletteRecord.h"
#include "editing/records/SelectionRecord.h"
#include "model/ModelTypes.h"

#include <cstdint>
#include <memory>

namespace kv {

class Image;

// The image properties dialog's change (size with resampling, resolutions,
// target format and the image flags) and the palette lock toggle (label
// "Lock Palette" or "Unlock Palette", setPaletteLocked on). The new values
// start as the old ones; a run that changes nothing fails.
class ImagePropertiesAction : public Action {
  public:
    struct Values {
        std::int32_t width = 0;
        std::int32_t height = 0;
        float horizontalResolution = 0;
        float verticalResolution = 0;
        TargetFormat targetFormat = TargetFormat::None;
        bool storedOption = false;
        bool paletteLocked = false;
        bool forExport = true;
    };

    explicit ImagePropertiesAction(const Image& image);
    void capture(const Image& image) override;
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    Values newValues;
    Values oldValues;
    // The palette lock is only applied when this is set.
    bool setPaletteLocked = false;

  private:
    bool takeRecords(const Image& image);

    std::unique_ptr<SelectionRecord> m_selection;
    std::unique_ptr<PaletteRecord> m_palette;
    std::unique_ptr<LayerRecordTable> m_layers;
};

} // namespace kv
