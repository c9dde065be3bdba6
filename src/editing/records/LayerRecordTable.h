#pragma once
#include "editing/records/LayerRecord.h"

#include <cstdint>
#include <memory>

namespace kv {

class Image;
class LayerBase;

// Records of a run of layers, bottom first. The table of record pointers is
// undo data too, so it counts against the undo memory limit.
class LayerRecordTable {
  public:
    LayerRecordTable() = default;
    ~LayerRecordTable();
    LayerRecordTable(const LayerRecordTable&) = delete;
    LayerRecordTable& operator=(const LayerRecordTable&) = delete;

    // Records every layer from `bottom` up to `top` inclusive; null when
    // memory or the coder fail.
    static std::unique_ptr<LayerRecordTable> take(const LayerBase& bottom, const LayerBase& top);

    std::int32_t count() const { return m_count; }
    const LayerRecord& at(std::int32_t i) const { return *m_records[i]; }
    // Writes every record back into the image's layer of the same id; throws
    // CKVException("Undo data restoration failed") when a layer is missing
    // or a record cannot be restored.
    void restoreInto(Image& image) const;

  private:
    LayerRecord** m_records = nullptr;
    std::int32_t m_count = 0;
};

} // namespace kv
