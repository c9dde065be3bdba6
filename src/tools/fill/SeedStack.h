#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

// The region filler's pending run starts: (x, y) pairs in a chain of blocks
// of 1024 words, grown a block at a time as a fill spreads and freed with the
// stack, so that a large fill never moves what it has already pushed.
class SeedStack {
  public:
    void push(std::int32_t x, std::int32_t y);
    // False when the stack is empty.
    bool pop(std::int32_t& x, std::int32_t& y);
    bool empty() const { return m_used == 0; }
    std::size_t blockCount() const { return m_blocks.size(); }

  private:
    static constexpr std::size_t kBlockWords = 1024;
    using Block = std::array<std::int32_t, kBlockWords>;

    std::vector<std::unique_ptr<Block>> m_blocks;
    // Words in use over all blocks.
    std::size_t m_used = 0;
};

} // namespace kv
