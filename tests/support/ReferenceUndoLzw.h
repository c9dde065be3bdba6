#pragma once
// The undo data coder's rules stated plainly, step by step and one byte at a
// time: the running string hash, its 4096 buckets with their chains, codes
// packed most significant bit first. Kept slow and literal so that the
// production coder's shortcuts can be checked against it bit for bit.
#include <array>
#include <cstdint>
#include <vector>

namespace kv::test {

class ReferenceUndoLzw {
  public:
    ReferenceUndoLzw() { clear(); }

    void push(std::uint8_t c) {
        ++m_fed;
        if (m_prefix < 0) {
            startWith(c);
            return;
        }
        const std::uint32_t h = (m_hash * 16777619u) ^ c;
        const std::uint32_t bucket = (h & 0xFFFu) ^ (h >> 20);
        for (int e = m_head[bucket]; e >= 0; e = m_next[e])
            if (m_prefixOf[e] == m_prefix) {
                m_prefix = e;
                m_hash = h;
                return;
            }
        emit(static_cast<std::uint32_t>(m_prefix));
        if (m_count < 4096) {
            const int code = m_count++;
            m_prefixOf[code] = m_prefix;
            m_next[code] = m_head[bucket];
            m_head[bucket] = code;
            if (m_count > (1 << m_width)) ++m_width;
        } else {
            emit(256);
            clear();
        }
        startWith(c);
    }

    // The whole coded stream, ending with the end code and the padded last byte.
    std::vector<std::uint8_t> finish() {
        if (m_prefix >= 0) {
            emit(static_cast<std::uint32_t>(m_prefix));
            if (m_count < 4096 && m_count == (1 << m_width)) ++m_width;
        }
        emit(257);
        if (m_bits > 0) m_out.push_back(static_cast<std::uint8_t>(m_acc << (8 - m_bits)));
        m_bits = 0;
        return m_out;
    }

    std::uint32_t fed() const { return m_fed; }
    // Codes in the dictionary now, 258 to 4096.
    int codeCount() const { return m_count; }

  private:
    void clear() {
        m_head.fill(-1);
        m_count = 258;
        m_width = 9;
    }
    void startWith(std::uint8_t c) {
        m_prefix = c;
        std::uint32_t h = 0xFFFFFFFFu;
        h = (h * 16777619u) ^ c;
        m_hash = h;
    }
    void emit(std::uint32_t code) {
        m_acc = (m_acc << m_width) | code;
        for (m_bits += m_width; m_bits >= 8; m_bits -= 8)
            m_out.push_back(static_cast<std::uint8_t>(m_acc >> (m_bits - 8)));
    }

    std::array<int, 4096> m_head{};
    std::array<int, 4096> m_next{};
    std::array<int, 4096> m_prefixOf{};
    int m_count = 258;
    int m_width = 9;
    int m_prefix = -1;
    std::uint32_t m_hash = 0;
    std::uint32_t m_acc = 0;
    int m_bits = 0;
    std::uint32_t m_fed = 0;
    std::vector<std::uint8_t> m_out;
};

} // namespace kv::test
