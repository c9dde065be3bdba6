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
    bool allocated() const { return m_ring && m_short.allocated() && m_long.allocated(); }

    // Appends a byte; its ring slot leaves any chain it was in.
    void push(std::uint8_t value) {
        m_write = m_write + 1 == kRingSize ? 0 : m_write + 1;
        if (m_short.linked(m_write)) unlinkBoth(m_write);
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
    void insert() { appendBoth(m_encode); }
    // Moves to the next position; the look-ahead shrinks by one.
    void advance() {
        m_encode = m_encode + 1 == kRingSize ? 0 : m_encode + 1;
        --m_pending;
    }

  private:
    // Hash chains over ring positions, newest first. One node per position,
    // kept as separate arrays so that a walk touches only the older links.
    struct Chains {
        static constexpr std::uint16_t kUnlinked = 0xFFFF;
        struct Bucket {
            std::int32_t newest;
            std::int32_t oldest;
        };
        Chains();
        bool allocated() const { return older && newer && bucketOf && buckets; }
        bool linked(std::uint32_t position) const { return bucketOf[position] != kUnlinked; }
        void append(std::uint32_t position, std::uint32_t bucket);
        void unlink(std::uint32_t position);

        std::unique_ptr<std::int32_t[]> older;
        std::unique_ptr<std::int32_t[]> newer;
        std::unique_ptr<std::uint16_t[]> bucketOf; // kUnlinked when in no chain
        std::unique_ptr<Bucket[]> buckets;
    };
    // A match of at least this many bytes is searched in the long chains.
    static constexpr std::uint32_t kLongPrefix = 6;

    std::uint32_t hashAt(std::uint32_t i) const {
        return ((m_ring[i] * 33u + m_ring[i + 1]) * 33u + m_ring[i + 2]) & (kBuckets - 1);
    }
    std::uint32_t longHashAt(std::uint32_t i) const {
        std::uint32_t h = 0;
        for (std::uint32_t k = 0; k < kLongPrefix; ++k) h = h * 33u + m_ring[i + k];
        return h & (kBuckets - 1);
    }
    std::uint32_t commonLength(std::uint32_t a, std::uint32_t b) const;
    // Walks one chain newest first: the first node of the longest common
    // length, unlinked from both chain sets when it reaches the look-ahead.
    void walk(const Chains& chains, std::uint32_t bucket, std::uint32_t& best,
              std::int32_t& bestPosition);
    void appendBoth(std::uint32_t position) {
        m_short.append(position, hashAt(position));
        m_long.append(position, longHashAt(position));
    }
    void unlinkBoth(std::uint32_t position) {
        m_short.unlink(position);
        m_long.unlink(position);
    }

    std::unique_ptr<std::uint8_t[]> m_ring;
    // Chains by the hash of 3 bytes, which decide the match, and the same
    // nodes again chained by the hash of 6 bytes. Every node sharing 6 bytes
    // with the encode position sits in its long chain in the same age order,
    // so a long match found there is the one the short chain would give;
    // only shorter matches need the short chain's longer walk. The nodes'
    // bytes are final when they are chained: positions are chained with less
    // than 6 bytes of look-ahead only while the data is being finished.
    Chains m_short;
    Chains m_long;
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
