#pragma once
#include "editing/history/Action.h"
#include "editing/records/RegionRecord.h"

#include <memory>
#include <string>

namespace kv {

class Image;

// The layer properties dialog's change: name, visibility, opacity and
// supersampling of the current layer. The new values start as the old ones;
// a run that changes nothing fails, so nothing is recorded.
class LayerPropertiesAction : public Action {
  public:
    struct Values {
        std::string name;
        bool visible = true;
        float opacity = 1.0f;
        bool supersampled = false;
    };

    explicit LayerPropertiesAction(const Image& image);
    // The layer's values and the selection's supersampling before.
    void capture(const Image& image) override;
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    Values newValues;
    Values oldValues;
    bool selectionWasSupersampled = false;

  private:
    // Whole editable raster, taken when supersampling changes.
    std::unique_ptr<RegionRecord> m_raster;
};

} // namespace kv
