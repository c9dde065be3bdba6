#pragma once
// Shared by the match finder's tests and its fuzz target.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace kv::test {

// The match rule stated plainly: every earlier position within the window,
// nearest first, compared over 256 bytes of what the ring holds (past the
// data, the bytes a lap earlier, or zeros); the first of the longest wins,
// and one matching all 256 bytes is taken out for good.
class ReferenceMatchFinder {
  public:
    ReferenceMatchFinder(std::uint32_t window, std::uint32_t ringSize)
        : m_window(window), m_ringSize(ringSize) {}

    void push(std::uint8_t value) {
        m_data.push_back(value);
        m_removed.push_back(false);
    }
    std::uint32_t pending() const { return static_cast<std::uint32_t>(m_data.size() - m_encode); }

    std::pair<std::uint32_t, std::uint32_t> search() {
        std::uint32_t best = 0, distance = 0;
        for (std::uint32_t d = 1; d <= m_window && d <= m_encode; ++d) {
            const std::size_t node = m_encode - d;
            if (m_removed[node]) continue;
            const std::uint32_t length = commonLength(m_encode, node);
            if (length <= best) continue;
            best = length, distance = d;
            if (length == 256) {
                m_removed[node] = true;
                break;
            }
        }
        return {std::min(best, pending()), distance};
    }
    void advance() { ++m_encode; }

  private:
    std::uint8_t byteAt(std::size_t p) const {
        if (p < m_data.size()) return m_data[p];
        return p >= m_ringSize ? m_data[p - m_ringSize] : 0;
    }
    std::uint32_t commonLength(std::size_t a, std::size_t b) const {
        std::uint32_t length = 0;
        if (a + 256 <= m_data.size()) { // the usual case, without the lap
            while (length < 256 && m_data[a + length] == m_data[b + length])
                ++length;
            return length;
        }
        while (length < 256 && byteAt(a + length) == byteAt(b + length))
            ++length;
        return length;
    }

    std::uint32_t m_window, m_ringSize;
    std::vector<std::uint8_t> m_data;
    std::size_t m_encode = 0;
    std::vector<bool> m_removed;
};

} // namespace kv::test
