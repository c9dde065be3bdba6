#include "storage/MatchFinder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kv {

template <std::uint32_t W, std::uint32_t B, std::size_t L> MatchFinder<W, B, L>::Chains::Chains()
    : older(new (std::nothrow) std::int32_t[kRingSize]),
      newer(new (std::nothrow) std::int32_t[kRingSize]),
      bucketOf(new (std::nothrow) std::uint16_t[kRingSize]),
      buckets(new (std::nothrow) Bucket[kBuckets]) {
    if (buckets) std::fill(buckets.get(), buckets.get() + kBuckets, Bucket{-1, -1});
    if (bucketOf) std::fill(bucketOf.get(), bucketOf.get() + kRingSize, kUnlinked);
}

template <std::uint32_t W, std::uint32_t B, std::size_t L> MatchFinder<W, B, L>::MatchFinder()
    : m_ring(new (std::nothrow) std::uint8_t[kRingSize + kLookahead]()) {}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
std::uint32_t MatchFinder<W, B, L>::commonLength(std::uint32_t a, std::uint32_t b) const {
    const std::uint8_t* pa = m_ring.get() + a;
    const std::uint8_t* pb = m_ring.get() + b;
    std::uint32_t length = 0;
    while (length < kLookahead) {
        std::uint64_t wa, wb;
        std::memcpy(&wa, pa + length, 8);
        std::memcpy(&wb, pb + length, 8);
        const std::uint64_t diff = wa ^ wb;
        if (diff != 0) return length + static_cast<std::uint32_t>(__builtin_ctzll(diff) >> 3);
        length += 8;
    }
    return kLookahead;
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
void MatchFinder<W, B, L>::walk(const Chains& chains, std::uint32_t bucket, std::uint32_t& best,
                             std::int32_t& bestPosition) {
    const std::uint32_t e = m_encode;
    const std::uint8_t* ring = m_ring.get();
    const std::int32_t* olderOf = chains.older.get();
    for (std::int32_t p = chains.buckets[bucket].newest; p >= 0;) {
        const auto node = static_cast<std::uint32_t>(p);
        const std::uint32_t distance = e >= node ? e - node : e + kRingSize - node;
        // Chains are ordered by age: everything from here on is out of reach.
        if (distance > kWindow) break;
        const std::int32_t older = olderOf[node];
        if (ring[e + best] == ring[node + best]) {
            const std::uint32_t length = commonLength(e, node);
            if (length > best) {
                best = length;
                bestPosition = p;
                if (length == kLookahead) {
                    unlinkAll(node);
                    break;
                }
            }
        }
        p = older;
    }
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
typename MatchFinder<W, B, L>::Match MatchFinder<W, B, L>::search() {
    const std::uint32_t e = m_encode;
    std::uint32_t best = 0;
    std::int32_t bestPosition = -1;
    for (std::size_t k = kLevelCount; k-- > 0;) {
        best = 0;
        bestPosition = -1;
        walk(m_levels[k], hashAt(e, kPrefixes[k]), best, bestPosition);
        if (best >= kPrefixes[k]) break;
    }
    appendAll(e);
    Match match{std::min(best, m_pending), 0};
    if (bestPosition >= 0) {
        const auto node = static_cast<std::uint32_t>(bestPosition);
        match.distance = e >= node ? e - node : e + kRingSize - node;
    }
    return match;
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
void MatchFinder<W, B, L>::Chains::append(std::uint32_t position, std::uint32_t bucket) {
    Bucket& b = buckets[bucket];
    bucketOf[position] = static_cast<std::uint16_t>(bucket);
    newer[position] = -1;
    older[position] = b.newest;
    if (b.newest >= 0)
        newer[b.newest] = static_cast<std::int32_t>(position);
    else
        b.oldest = static_cast<std::int32_t>(position);
    b.newest = static_cast<std::int32_t>(position);
}

template <std::uint32_t W, std::uint32_t B, std::size_t L>
void MatchFinder<W, B, L>::Chains::unlink(std::uint32_t position) {
    Bucket& b = buckets[bucketOf[position]];
    const std::int32_t newerNode = newer[position], olderNode = older[position];
    if (newerNode >= 0)
        older[newerNode] = olderNode;
    else
        b.newest = olderNode;
    if (olderNode >= 0)
        newer[olderNode] = newerNode;
    else
        b.oldest = newerNode;
    bucketOf[position] = kUnlinked;
}

template class MatchFinder<65536, 16384, 2>;
template class MatchFinder<4096, 4096, 1>;

} // namespace kv
