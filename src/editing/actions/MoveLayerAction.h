#pragma once
#include "editing/history/Action.h"

#include <cstdint>

namespace kv {

class Image;

// Moves the current layer to lie directly above the target layer (to the
// bottom when the target is -1 or not found).
class MoveLayerAction : public Action {
  public:
    explicit MoveLayerAction(const Image& image);
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    std::int32_t targetId = -1;

  private:
    bool place(Image& image, std::int32_t belowId);
};

} // namespace kv
