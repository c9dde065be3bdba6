#pragma once
#include "editing/history/Action.h"
#include "editing/records/LayerRecord.h"

#include <memory>

namespace kv {

class Image;

// Deletes the current layer; the layer below it (or above, at the bottom)
// becomes current. The whole layer is recorded on the first run.
class DeleteLayerAction : public Action {
  public:
    explicit DeleteLayerAction(const Image& image);
    bool redo(Image& image) override;
    bool undo(Image& image) override;

  private:
    std::unique_ptr<LayerRecord> m_record;
};

} // namespace kv
