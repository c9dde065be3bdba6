#include "editing/history/ActionData.h"

#include "editing/history/ActionRegistry.h"
#include "platform/Memory.h"

#include <cstring>

namespace kv {
namespace {
ActionData::BlockAllocator g_allocator = &MemAlloc;
} // namespace

ActionData::BlockAllocator ActionData::setBlockAllocator(BlockAllocator allocator) {
    BlockAllocator previous = g_allocator;
    g_allocator = allocator ? allocator : &MemAlloc;
    return previous;
}

ActionData::~ActionData() {
    Block* block = m_first;
    while (block) {
        Block* next = block->next;
        ActionRegistry::instance().releaseMemory(block->size + blockOverhead());
        MemFree(block);
        block = next;
    }
}

bool ActionData::appendBlock(const std::uint8_t* bytes, std::uint32_t size) {
    auto* block = static_cast<Block*>(g_allocator(sizeof(Block) + size));
    if (!block) return false;
    block->size = size;
    block->next = nullptr;
    if (size) std::memcpy(block->bytes(), bytes, size);
    (m_last ? m_last->next : m_first) = block;
    m_last = block;
    m_compressedSize += size;
    ActionRegistry::instance().addMemory(size + blockOverhead());
    return true;
}

int ActionData::blockCount() const {
    int n = 0;
    for (const Block* b = m_first; b; b = b->next)
        ++n;
    return n;
}

void* AllocActionMemory(std::size_t size) {
    void* block = g_allocator(size);
    if (block)
        ActionRegistry::instance().addMemory(static_cast<std::uint32_t>(size) +
                                             ActionData::blockOverhead());
    return block;
}

void FreeActionMemory(void* block, std::size_t size) {
    if (!block) return;
    ActionRegistry::instance().releaseMemory(static_cast<std::uint32_t>(size) +
                                             ActionData::blockOverhead());
    MemFree(block);
}

} // namespace kv
