#pragma once
#include "editing/history/Action.h"
#include "editing/records/SelectionRecord.h"

#include <memory>

namespace kv {

class Image;

// Flips or rotates the whole image (codes 1 to 5, see ImageTransform.h);
// undone by the inverse code, then the selection comes back from its record.
// Creators label it with OrientationUndoName(code).
class ReorientImageAction : public Action {
  public:
    explicit ReorientImageAction(const Image& image);
    // The selection as it was.
    void capture(const Image& image) override;
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    int code = 0;

  private:
    std::unique_ptr<SelectionRecord> m_selection;
    bool m_captured = false;
};

} // namespace kv
