#include "editing/records/LayerRecordTable.h"

#include "editing/actions/ActionSupport.h"
#include "editing/history/ActionData.h"
#include "model/Image.h"
#include "model/LayerBase.h"
#include "platform/Exceptions.h"

#include <new>

namespace kv {
namespace {
std::size_t TableBytes(std::int32_t count) {
    return sizeof(std::int32_t) + static_cast<std::size_t>(count) * sizeof(LayerRecord*);
}
} // namespace

LayerRecordTable::~LayerRecordTable() {
    if (!m_records) return;
    for (std::int32_t i = 0; i < m_count; ++i)
        delete m_records[i];
    FreeActionMemory(m_records, TableBytes(m_count));
}

std::unique_ptr<LayerRecordTable> LayerRecordTable::take(const LayerBase& bottom,
                                                         const LayerBase& top) {
    std::int32_t count = 0;
    for (const LayerBase* layer = &bottom; layer; layer = layer == &top ? nullptr : layer->above())
        ++count;
    std::unique_ptr<LayerRecordTable> table;
    try {
        table = std::make_unique<LayerRecordTable>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    table->m_records = static_cast<LayerRecord**>(AllocActionMemory(TableBytes(count)));
    if (!table->m_records) return nullptr;
    const LayerBase* layer = &bottom;
    for (std::int32_t i = 0; i < count; ++i, layer = layer->above()) {
        std::unique_ptr<LayerRecord> record = LayerRecord::take(*layer);
        if (!record) return nullptr;
        table->m_records[i] = record.release();
        table->m_count = i + 1;
    }
    return table;
}

void LayerRecordTable::restoreInto(Image& image) const {
    for (std::int32_t i = 0; i < m_count; ++i) {
        const LayerRecord& record = at(i);
        LayerBase* layer = FindLayerById(image, static_cast<std::int32_t>(record.id));
        if (!layer || !record.restoreInto(*layer))
            throw CKVException("Undo data restoration failed");
    }
}

} // namespace kv
