#include "tools/fill/SeedStack.h"

namespace kv {

void SeedStack::push(std::int32_t x, std::int32_t y) {
    const std::size_t block = m_used / kBlockWords, word = m_used % kBlockWords;
    if (block == m_blocks.size()) m_blocks.push_back(std::make_unique<Block>());
    Block& b = *m_blocks[block];
    // A block holds a whole number of pairs, so a pair never straddles two.
    b[word] = x;
    b[word + 1] = y;
    m_used += 2;
}

bool SeedStack::pop(std::int32_t& x, std::int32_t& y) {
    if (m_used == 0) return false;
    m_used -= 2;
    const Block& b = *m_blocks[m_used / kBlockWords];
    const std::size_t word = m_used % kBlockWords;
    x = b[word];
    y = b[word + 1];
    return true;
}

} // namespace kv
