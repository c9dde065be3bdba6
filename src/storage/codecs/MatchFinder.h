#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace kv {

// Finds, for the encode position, the longest earlier match within the
// window (compared over the 256-byte look-ahead) and, among equally long
// ones, the nearest.
//
// The format's encoder also drops a node once a search matched all 256 of
// its bytes. That changes no result: the searching position is a newer node
// with the same 256 bytes, which every later comparison ties and prefers.
// So nothing is ever unlinked here.
//
// Every position is chained, newest first, once per level: by the hash of
// its first 3 bytes, and again by the hashes of longer prefixes. All nodes
// sharing a level's prefix with the encode position sit in that level's
// chain in the same age order, so a search walks the longest level first;
// a match at least that long found there is the answer, and otherwise the
// answer is shorter than that prefix, which ends the next level's walk as
// soon as a node reaches it. Within a level, an earlier run of the byte the
// encode position starts a run of is settled by one comparison (see
// bestOfRun), so long runs do not make long walks.
//
// The ring keeps the window plus 256 bytes of look-ahead, followed by a
// mirror of its first 256 bytes so that comparisons never wrap. Links hold
// absolute positions, so a link to a node that left the window is told from
// a live one without unlinking anything; the positions are rebased long
// before they could wrap.
template <std::uint32_t Window, std::uint32_t Buckets, std::size_t Levels> class MatchFinder {
  public:
    static constexpr std::uint32_t kLookahead = 256;
    static constexpr std::uint32_t kWindow = Window;
    static constexpr std::uint32_t kRingSize = Window + kLookahead;
    static constexpr std::uint32_t kBuckets = Buckets;
    static_assert((Buckets & (Buckets - 1)) == 0 && Buckets >= 256, "bucket mask");

    struct Match {
        std::uint32_t length;
        std::uint32_t distance;
    };

    // `firstPosition` only moves the absolute numbering, so that tests can
    // reach the rebasing quickly; results never depend on it.
    explicit MatchFinder(std::uint32_t firstPosition = kFirstPosition);
    bool allocated() const;

    // Appends a byte to the look-ahead. Not after positions were processed
    // with less than the full look-ahead: their keys took in the bytes past
    // the data, which must stay as they are.
    void push(std::uint8_t value) {
        const std::uint32_t position = m_position + m_pending;
        m_write = m_write + 1 == kRingSize ? 0 : m_write + 1;
        if (value != m_lastByte) m_runStart = position;
        m_lastByte = value;
        m_runStarts[m_write] = m_runStart;
        m_ring[m_write] = value;
        if (m_write < kLookahead) m_ring[kRingSize + m_write] = value;
        ++m_pending;
    }

    std::uint32_t pending() const { return m_pending; }
    std::uint8_t current() const { return m_ring[m_encode]; }
    // Searches the match at the encode position (its length clipped to the
    // look-ahead left) and enters the position.
    Match search();
    // Only enters the encode position.
    void insert() { appendAll(); }
    // Moves to the next position; the look-ahead shrinks by one.
    void advance() {
        if (m_hashesValid) rollHashes();
        m_encode = m_encode + 1 == kRingSize ? 0 : m_encode + 1;
        --m_pending;
        if (++m_position == kRebaseAt) rebase();
    }

  private:
    static constexpr std::uint32_t kNone = 0; // always out of reach
    static constexpr std::uint32_t kFirstPosition = 2 * kRingSize;
    static constexpr std::uint32_t kRebaseAt = 0xC0000000u;
    // The prefix lengths the levels are keyed on, shortest first; a finder
    // uses the first Levels of them.
    static constexpr std::uint32_t kPrefixes[] = {3, 16, 64};
    static_assert(Levels >= 1 && Levels <= std::size(kPrefixes), "level count");

    struct Chains {
        std::unique_ptr<std::uint32_t[]> older;  // per ring slot
        std::unique_ptr<std::uint32_t[]> newest; // per bucket
    };

    // Each level's prefix at the encode position is hashed as a polynomial
    // in kBase over its bytes, so that moving one position on costs one
    // step per level. Any function of the prefix would do: all nodes
    // sharing it land in one chain, whatever else shares the bucket.
    static constexpr std::uint32_t kBase = 0x01000193u;
    static constexpr std::array<std::uint32_t, Levels> kLeadingPowers = [] {
        std::array<std::uint32_t, Levels> powers{};
        for (std::size_t level = 0; level < Levels; ++level) {
            powers[level] = 1;
            for (std::uint32_t i = 1; i < kPrefixes[level]; ++i)
                powers[level] *= kBase;
        }
        return powers;
    }();
    std::uint32_t bucketAt(std::size_t level);
    void rollHashes() {
        const std::uint8_t* p = m_ring.get() + m_encode;
        for (std::size_t level = 0; level < Levels; ++level)
            m_hashes[level] =
                (m_hashes[level] - p[0] * kLeadingPowers[level]) * kBase + p[kPrefixes[level]];
    }
    std::uint32_t slotAt(std::uint32_t distance) const {
        return m_encode >= distance ? m_encode - distance : m_encode + kRingSize - distance;
    }
    std::uint32_t commonLength(std::uint32_t a, std::uint32_t b) const;
    std::uint32_t runLength(std::uint32_t slot) const;
    // Offers the best node of an earlier run; true when the walk ends.
    bool bestOfRun(std::uint32_t position, std::uint32_t length, std::uint32_t run,
                   std::uint32_t bound, Match& best);
    // Walks one level's chain for a node longer than `best`, stopping at
    // the first that reaches `bound`; `run` is the count of bytes equal to
    // the first at the encode position.
    void walk(std::size_t level, std::uint32_t bound, std::uint32_t run, Match& best);
    // Takes the node if it is longer than `best`; true when the walk ends.
    bool offer(std::uint32_t distance, std::uint32_t length, std::uint32_t bound, Match& best);
    void appendAll();
    void rebase();

    std::unique_ptr<std::uint8_t[]> m_ring;
    // Per ring slot, where the run of equal bytes holding it began.
    std::unique_ptr<std::uint32_t[]> m_runStarts;
    std::array<Chains, Levels> m_levels;
    std::uint32_t m_write = kRingSize - 1; // the first byte lands in slot 0
    std::uint32_t m_encode = 0;
    std::uint32_t m_position;                     // absolute position of the encode slot
    std::uint32_t m_pending = 0;                  // look-ahead bytes from the encode position on
    std::array<std::uint32_t, Levels> m_hashes{}; // of the prefixes at the encode position
    bool m_hashesValid = false;                   // taken at the first position used, then rolled
    int m_lastByte = -1;                          // none yet
    std::uint32_t m_runStart = kNone;
};

// The method-1 encoder's finder: the levels pay off on the long matches of
// icon data.
using LzrcMatchFinder = MatchFinder<65536, 65536, 3>;
// The prediction estimator's smaller one: on residuals its matches are
// short, and one level is faster there.
using EstimatorMatchFinder = MatchFinder<4096, 4096, 1>;

extern template class MatchFinder<65536, 65536, 3>;
extern template class MatchFinder<4096, 4096, 1>;

} // namespace kv
