#pragma once
#include <array>
#include <cstdint>
#include <iterator>
#include <memory>

namespace kv {

// A ring of recent bytes with hash chains over its positions. The ring keeps
// a window of history plus 256 bytes of look-ahead, followed by a mirror of
// its first 256 bytes so that comparisons never wrap. Candidates farther back
// than the window are never returned.
template <std::uint32_t Window, std::uint32_t Buckets, std::size_t Levels> class MatchFinder {
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
    bool allocated() const {
        for (const Chains& chains : m_levels)
            if (!chains.allocated()) return false;
        return m_ring != nullptr;
    }

    // Appends a byte; its ring slot leaves any chain it was in.
    void push(std::uint8_t value) {
        m_write = m_write + 1 == kRingSize ? 0 : m_write + 1;
        if (m_levels[0].linked(m_write)) unlinkAll(m_write);
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
    void insert() { appendAll(m_encode); }
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
    // The prefix lengths the chain levels are keyed on, shortest first; a
    // finder uses the first Levels of them.
    static constexpr std::uint32_t kPrefixes[] = {3, 8};
    static constexpr std::size_t kLevelCount = Levels;
    static_assert(Levels >= 1 && Levels <= std::size(kPrefixes), "level count");

    // The hash of `length` bytes from i; for 3 bytes the format's own hash.
    std::uint32_t hashAt(std::uint32_t i, std::uint32_t length) const {
        std::uint32_t h = 0;
        for (std::uint32_t k = 0; k < length; ++k) h = h * 33u + m_ring[i + k];
        return h & (kBuckets - 1);
    }
    std::uint32_t commonLength(std::uint32_t a, std::uint32_t b) const;
    // Walks one chain newest first: the first node of the longest common
    // length, unlinked from every level when it reaches the look-ahead.
    void walk(const Chains& chains, std::uint32_t bucket, std::uint32_t& best,
              std::int32_t& bestPosition);
    void appendAll(std::uint32_t position) {
        for (std::size_t k = 0; k < kLevelCount; ++k)
            m_levels[k].append(position, hashAt(position, kPrefixes[k]));
    }
    void unlinkAll(std::uint32_t position) {
        for (Chains& chains : m_levels) chains.unlink(position);
    }

    std::unique_ptr<std::uint8_t[]> m_ring;
    // The same nodes chained by the hash of 3 bytes (the chains that decide
    // the match) and again by the hashes of longer prefixes. Every node that
    // shares a level's prefix with the encode position sits in that level's
    // chain in the same age order, so a match at least that long found there
    // is the one the 3-byte chain would give; only shorter matches need the
    // longer walks of the lower levels. The nodes' bytes are final when they
    // are chained: a position gets less look-ahead than a prefix only while
    // the data is being finished, and nothing is written after that.
    std::array<Chains, kLevelCount> m_levels;
    std::uint32_t m_write = kRingSize - 1; // the first byte lands in slot 0
    std::uint32_t m_encode = 0;
    std::uint32_t m_pending = 0; // look-ahead bytes from the encode position on
};

// The method-1 encoder's finder: 3- and 8-byte levels, which pay off on the
// long matches of icon data and cost some speed on incompressible bytes.
using LzrcMatchFinder = MatchFinder<65536, 16384, 2>;
// The prediction estimator's smaller one: on residuals its matches are
// short, and one level is faster there.
using EstimatorMatchFinder = MatchFinder<4096, 4096, 1>;

extern template class MatchFinder<65536, 16384, 2>;
extern template class MatchFinder<4096, 4096, 1>;

} // namespace kv
