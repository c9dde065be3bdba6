#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

// A compressed byte stream of undo data, held as a chain of blocks. Every
// block counts as its size + 12 bytes in the registry's memory while it lives.
class ActionData {
  public:
    struct Block {
        std::uint32_t size;
        Block* next;
        std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(this + 1); }
        const std::uint8_t* bytes() const {
            return reinterpret_cast<const std::uint8_t*>(this + 1);
        }
    };

    // Allocation of block storage; replaceable so that failures can be provoked.
    using BlockAllocator = void* (*)(std::size_t);
    static BlockAllocator setBlockAllocator(BlockAllocator allocator);
    static std::uint32_t blockOverhead() { return 12; }

    ActionData() = default;
    ~ActionData();
    ActionData(const ActionData&) = delete;
    ActionData& operator=(const ActionData&) = delete;

    // Copies the bytes into a new block at the end; false when memory runs out.
    bool appendBlock(const std::uint8_t* bytes, std::uint32_t size);

    std::uint32_t uncompressedSize() const { return m_uncompressedSize; }
    std::uint32_t compressedSize() const { return m_compressedSize; }
    void setUncompressedSize(std::uint32_t size) { m_uncompressedSize = size; }
    const Block* firstBlock() const { return m_first; }
    int blockCount() const;

  private:
    std::uint32_t m_uncompressedSize = 0;
    std::uint32_t m_compressedSize = 0;
    Block* m_first = nullptr;
    Block* m_last = nullptr;
};

// Memory charged for undo data that is not an ActionData stream (small
// tables some actions keep); counted and released with the same rule.
void* AllocActionMemory(std::size_t size);
void FreeActionMemory(void* block, std::size_t size);

} // namespace kv
