#pragma once
#include <cstdint>
#include <memory>

namespace kv {

// A ring of recent bytes with hash chains over its positions. The ring keeps
// a window of history plus 256 bytes of look-ahead, followed by a mirror of
// its first 256 bytes so that comparisons never wrap. Candidates farther back
// than the window are never returned.
template <std::uint32_t Window, std::uint32_t Buckets> class MatchFinder {
  public:
    static constexpr std::uint32_t kLookahead = 256;
    static constexpr std::uint32_t kWindow = Window;
    static constexpr std::uint32_t kRingSize = Window + kLookahead;
    static constexpr std::uint32_t kBuckets = Buckets;
    static_assert((Buckets & (Buckets - 1)) == 0 && Buckets <= 0xFFFF, "bucket mask");

    struct Match {
        std::uint32_t length;
        std::uint32_t distance;
    };

    MatchFinder();
    bool allocated() const { return m_ring && m_older && m_newer && m_bucketOf && m_buckets; }

    // Appends a byte; its ring slot leaves any chain it was in.
    void push(std::uint8_t value) {
        m_write = m_write + 1 == kRingSize ? 0 : m_write + 1;
        if (m_bucketOf[m_write] != kUnlinked) unlink(m_write);
        m_ring[m_write] = value;
        if (m_write < kLookahead) m_ring[kRingSize + m_write] = value;
        ++m_pending;
    }

    std::uint32_t pending() const { return m_pending; }
    std::uint8_t current() const { return m_ring[m_encode]; }
    // Searches the longest earlier match at the encode position (clipped to
    // the look-ahead) and enters the position in its chain.
    Match search();
    // Only enters the encode position in its chain.
    void insert() { append(m_encode, hashAt(m_encode)); }
    // Moves to the next position; the look-ahead shrinks by one.
    void advance() {
        m_encode = m_encode + 1 == kRingSize ? 0 : m_encode + 1;
        --m_pending;
    }

  private:
    static constexpr std::uint16_t kUnlinked = 0xFFFF;
    struct Bucket {
        std::int32_t newest;
        std::int32_t oldest;
    };

    std::uint32_t hashAt(std::uint32_t i) const {
        return ((m_ring[i] * 33u + m_ring[i + 1]) * 33u + m_ring[i + 2]) & (kBuckets - 1);
    }
    std::uint32_t commonLength(std::uint32_t a, std::uint32_t b) const;
    void append(std::uint32_t position, std::uint32_t bucket);
    void unlink(std::uint32_t position);

    std::unique_ptr<std::uint8_t[]> m_ring;
    // One chain node per ring position, kept as separate arrays so that a
    // chain walk touches only the compact array of older links.
    std::unique_ptr<std::int32_t[]> m_older;
    std::unique_ptr<std::int32_t[]> m_newer;
    std::unique_ptr<std::uint16_t[]> m_bucketOf; // kUnlinked when in no chain
    std::unique_ptr<Bucket[]> m_buckets;
    std::uint32_t m_write = kRingSize - 1; // the first byte lands in slot 0
    std::uint32_t m_encode = 0;
    std::uint32_t m_pending = 0; // look-ahead bytes from the encode position on
};

// The method-1 encoder's finder.
using LzrcMatchFinder = MatchFinder<65536, 16384>;
// The prediction estimator's smaller one.
using EstimatorMatchFinder = MatchFinder<4096, 4096>;

extern template class MatchFinder<65536, 16384>;
extern template class MatchFinder<4096, 4096>;

} // namespace kv
