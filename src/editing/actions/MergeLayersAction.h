#pragma once
#include "editing/history/Action.h"
#include "editing/records/LayerRecordTable.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kv {

class Image;
class LayerBase;

// Flattens a run of layers into its bottom layer: the current layer into the
// one below it (Merge Down, the defaults), or the whole stack (Merge All:
// set mergeAll, clear the name, label "Merge All Layers"). The run works at
// 8x when any visible supersampled layer lies in it.
class MergeLayersAction : public Action {
  public:
    explicit MergeLayersAction(const Image& image);
    bool redo(Image& image) override;
    bool undo(Image& image) override;

    bool mergeAll = false;
    std::int32_t topId = -1;
    std::int32_t bottomId = -1;
    std::string resultName;
    // The merged layer, once the merge has run.
    std::int32_t resultId = -1;

  private:
    bool findRun(const Image& image, LayerBase*& bottom, LayerBase*& top) const;

    std::unique_ptr<LayerRecordTable> m_records;
};

} // namespace kv
