#include "plugins/portable/PortableHeap.h"

#include <cstdlib>
#include <new>

namespace kv {

PortableHeap& PortableHeap::instance() {
    // Never destroyed: plug-ins and the blocks they keep (their file type
    // descriptors) live until the process ends, and a block freed during
    // shut-down must still find the heap.
    static PortableHeap* heap = new PortableHeap;
    return *heap;
}

void* PortableHeap::allocate(PortableBlock kind, std::size_t bytes) {
    if (bytes == 0 || bytes > kMaxBlockSize) return nullptr;
    void* block = std::calloc(1, bytes);
    if (!block) return nullptr;
    try {
        std::lock_guard lock(m_mutex);
        m_blocks.emplace(block, Entry{kind, bytes});
    } catch (const std::bad_alloc&) {
        std::free(block);
        return nullptr;
    }
    return block;
}

bool PortableHeap::release(void* block, PortableBlock kind) {
    if (!block) return false;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_blocks.find(block);
        if (it == m_blocks.end() || it->second.kind != kind) return false;
        m_blocks.erase(it);
    }
    std::free(block);
    return true;
}

std::size_t PortableHeap::sizeOf(const void* block, PortableBlock kind) const {
    if (!block) return 0;
    std::lock_guard lock(m_mutex);
    const auto it = m_blocks.find(block);
    return it == m_blocks.end() || it->second.kind != kind ? 0 : it->second.bytes;
}

std::size_t PortableHeap::liveBlocks() const {
    std::lock_guard lock(m_mutex);
    return m_blocks.size();
}

} // namespace kv
