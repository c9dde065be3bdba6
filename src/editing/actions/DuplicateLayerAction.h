#pragma once
#include "editing/history/Action.h"

namespace kv {

class Image;

// A copy of the current layer directly above it: pixels (the 8x level when
// supersampled), visibility and opacity; it gets its own id and name number.
class DuplicateLayerAction : public Action {
  public:
    explicit DuplicateLayerAction(const Image& image);
    bool redo(Image& image) override;
    bool undo(Image& image) override;
};

} // namespace kv
