#pragma once
#include "editing/history/Action.h"
#include "editing/records/LayerRecordTable.h"
#include "editing/records/SelectionRecord.h"
#include "model/Geometry.h"

#include <cstdint>
#include <memory>

namespace kv {

class Image;

// Crops or extends the image to new bounds (Crop to Selection fills them
// with the selection's bounds, label "Crop"). Every layer and the selection
// are recorded when the action is made.
class ImageBoundsAction : public Action {
  public:
    explicit ImageBoundsAction(const Image& image);
    void capture(const Image& image) override;
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    Rect bounds;
    std::int32_t oldWidth = 0;
    std::int32_t oldHeight = 0;

  private:
    std::unique_ptr<SelectionRecord> m_selection;
    std::unique_ptr<LayerRecordTable> m_layers;
    bool m_captured = false;
};

} // namespace kv
