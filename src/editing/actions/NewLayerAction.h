#pragma once
#include "editing/history/Action.h"

namespace kv {

class Image;

// A new empty layer above the current one (on top when there is none),
// which becomes the current layer.
class NewLayerAction : public Action {
  public:
    explicit NewLayerAction(const Image& image);
    // The selection's supersampling before.
    void capture(const Image& image) override;
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    bool supersampled = false;
    bool selectionWasSupersampled = false;
};

} // namespace kv
