#include "storage/codecs/MatchFinder.h"

#include <bit>
#include <cstring>
#include <new>

namespace kv {
namespace {

std::uint64_t Load64(const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

} // namespace

template <std::uint32_t W, std::uint32_t B, std::size_t L>
MatchFinder<W, B, L>::MatchFinder(std::uint32_t firstPosition)
    : m_ring(new (std::nothrow) std::uint8_t[kRingSize + kLookahead]()),
      m_runStarts(new (std::nothrow) std::uint32_t[kRingSize]()),
      m_position(std::max(firstPosition, kFirstPosition)) {
    for (Chains& chains : m_levels) {
        chains.older.reset(new (std::nothrow) std::uint32_t[kRingSize]);
        chains.newest.reset(new (std::nothrow) std::uint32_t[kBuckets]);
        if (chains.newest) std::fill(chains.newest.get(), chains.newest.get() + kBuckets, kNone);
        if (chains.older) std::fill(chains.older.get(), chains.older.get() + kRingSize, kNone);
    }
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
bool MatchFinder<W, B, L>::allocated() const {
    for (const Chains& chains : m_levels)
        if (!chains.older || !chains.newest) return false;
    return m_ring && m_runStarts;
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
std::uint32_t MatchFinder<W, B, L>::bucketAt(std::size_t level) {
    if (!m_hashesValid) {
        const std::uint8_t* p = m_ring.get() + m_encode;
        for (std::size_t k = 0; k < L; ++k) {
            std::uint32_t h = 0;
            for (std::uint32_t i = 0; i < kPrefixes[k]; ++i)
                h = h * kBase + p[i];
            m_hashes[k] = h;
        }
        m_hashesValid = true;
    }
    return (m_hashes[level] * 0x9E3779B1u) >> (32 - std::countr_zero(kBuckets));
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
std::uint32_t MatchFinder<W, B, L>::commonLength(std::uint32_t a, std::uint32_t b) const {
    const std::uint8_t* pa = m_ring.get() + a;
    const std::uint8_t* pb = m_ring.get() + b;
    for (std::uint32_t length = 0; length < kLookahead; length += 8) {
        const std::uint64_t diff = Load64(pa + length) ^ Load64(pb + length);
        if (diff != 0) return length + static_cast<std::uint32_t>(std::countr_zero(diff) >> 3);
    }
    return kLookahead;
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
std::uint32_t MatchFinder<W, B, L>::runLength(std::uint32_t slot) const {
    const std::uint8_t* p = m_ring.get() + slot;
    const std::uint64_t pattern = p[0] * 0x0101010101010101ull;
    for (std::uint32_t length = 0; length < kLookahead; length += 8) {
        const std::uint64_t diff = Load64(p + length) ^ pattern;
        if (diff != 0) return length + static_cast<std::uint32_t>(std::countr_zero(diff) >> 3);
    }
    return kLookahead;
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
bool MatchFinder<W, B, L>::offer(std::uint32_t distance, std::uint32_t length, std::uint32_t bound,
                                 Match& best) {
    if (length <= best.length) return false;
    best = Match{length, distance};
    return length >= bound;
}

// When the encode position starts with a run of byte b at least as long as
// the level's prefix, so does every node sharing that prefix, and within
// one earlier run of b the common length follows from where the run ends:
// a node whose run is shorter than ours matches just its run, one whose run
// is longer matches just ours. So only the node whose run ends where ours
// does (or the oldest one in reach, if that run is shorter) can be the best
// of the run. `position` is the run's newest node in the chain and `length`
// its common length.
template <std::uint32_t W, std::uint32_t B, std::size_t L>
bool MatchFinder<W, B, L>::bestOfRun(std::uint32_t position, std::uint32_t length,
                                     std::uint32_t run, std::uint32_t bound, Match& best) {
    if (length >= run) return false; // older nodes of the run match just `run`
    const std::uint32_t first =
        std::max(m_runStarts[slotAt(m_position - position)], m_position - kWindow);
    const std::uint32_t target = std::max(position - (run - length), first);
    if (target == position) return false;
    const std::uint32_t distance = m_position - target;
    return offer(distance, commonLength(m_encode, slotAt(distance)), bound, best);
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
void MatchFinder<W, B, L>::walk(std::size_t level, std::uint32_t bound, std::uint32_t run,
                                Match& best) {
    const std::uint8_t* ring = m_ring.get();
    const std::uint32_t* older = m_levels[level].older.get();
    const std::uint32_t e = m_encode;
    const bool runs = run >= kPrefixes[level];
    for (std::uint32_t position = m_levels[level].newest[bucketAt(level)];;) {
        // Chains are ordered by age: past the window everything is stale.
        const std::uint32_t distance = m_position - position;
        if (distance - 1 >= kWindow) return;
        const std::uint32_t node = slotAt(distance);
        std::uint32_t length = 0;
        if (runs || ring[e + best.length] == ring[node + best.length]) {
            length = commonLength(e, node);
            if (offer(distance, length, bound, best)) return;
        }
        if (runs && length >= kPrefixes[level]) {
            // The rest of this run is settled; go on from its first node.
            if (bestOfRun(position, length, run, bound, best)) return;
            const std::uint32_t first = m_runStarts[node];
            if (m_position - first - 1 >= kWindow) return;
            position = older[slotAt(m_position - first)];
        } else {
            position = older[node];
        }
    }
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
typename MatchFinder<W, B, L>::Match MatchFinder<W, B, L>::search() {
    Match best{0, 0};
    std::uint32_t bound = kLookahead;
    const std::uint32_t run = runLength(m_encode);
    for (std::size_t level = L; level-- > 0;) {
        best = Match{0, 0};
        walk(level, bound, run, best);
        if (best.length >= kPrefixes[level]) break;
        // Nothing shares this prefix, so nothing lower can be longer.
        bound = kPrefixes[level] - 1;
    }
    appendAll();
    return Match{std::min(best.length, m_pending), best.distance};
}

template <std::uint32_t W, std::uint32_t B, std::size_t L> void MatchFinder<W, B, L>::appendAll() {
    const std::uint32_t e = m_encode;
    for (std::size_t level = 0; level < L; ++level) {
        std::uint32_t& newest = m_levels[level].newest[bucketAt(level)];
        m_levels[level].older[e] = newest;
        newest = m_position;
    }
}

// Moves every live position down by a multiple of the ring size, which
// keeps each position's slot, and drops the links that left the window.
template <std::uint32_t W, std::uint32_t B, std::size_t L> void MatchFinder<W, B, L>::rebase() {
    const std::uint32_t shift = (m_position - kFirstPosition) / kRingSize * kRingSize;
    // Run starts may lie in the look-ahead, ahead of the encode position.
    const std::uint32_t oldest = m_position - kWindow;
    const auto move = [&](std::uint32_t& link) { link = link >= oldest ? link - shift : kNone; };
    std::for_each(m_runStarts.get(), m_runStarts.get() + kRingSize, move);
    move(m_runStart);
    for (Chains& chains : m_levels) {
        std::for_each(chains.older.get(), chains.older.get() + kRingSize, move);
        std::for_each(chains.newest.get(), chains.newest.get() + kBuckets, move);
    }
    m_position -= shift;
}

template class MatchFinder<65536, 65536, 3>;
template class MatchFinder<4096, 4096, 1>;

} // namespace kv
