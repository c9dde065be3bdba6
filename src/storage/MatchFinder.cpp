#include "storage/MatchFinder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kv {

template <std::uint32_t W, std::uint32_t B> MatchFinder<W, B>::MatchFinder()
    : m_ring(new (std::nothrow) std::uint8_t[kRingSize + kLookahead]()),
      m_older(new (std::nothrow) std::int32_t[kRingSize]),
      m_newer(new (std::nothrow) std::int32_t[kRingSize]),
      m_bucketOf(new (std::nothrow) std::uint16_t[kRingSize]),
      m_buckets(new (std::nothrow) Bucket[kBuckets]) {
    if (m_buckets) std::fill(m_buckets.get(), m_buckets.get() + kBuckets, Bucket{-1, -1});
    if (m_bucketOf) std::fill(m_bucketOf.get(), m_bucketOf.get() + kRingSize, kUnlinked);
}

template <std::uint32_t W, std::uint32_t B>
std::uint32_t MatchFinder<W, B>::commonLength(std::uint32_t a, std::uint32_t b) const {
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

template <std::uint32_t W, std::uint32_t B>
typename MatchFinder<W, B>::Match MatchFinder<W, B>::search() {
    const std::uint32_t e = m_encode;
    const std::uint32_t bucket = hashAt(e);
    std::uint32_t best = 0;
    std::int32_t bestPosition = -1;
    const std::uint8_t* ring = m_ring.get();
    const std::int32_t* olderOf = m_older.get();
    for (std::int32_t p = m_buckets[bucket].newest; p >= 0;) {
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
                    unlink(node);
                    break;
                }
            }
        }
        p = older;
    }
    append(e, bucket);
    Match match{std::min(best, m_pending), 0};
    if (bestPosition >= 0) {
        const auto node = static_cast<std::uint32_t>(bestPosition);
        match.distance = e >= node ? e - node : e + kRingSize - node;
    }
    return match;
}

template <std::uint32_t W, std::uint32_t B>
void MatchFinder<W, B>::append(std::uint32_t position, std::uint32_t bucket) {
    Bucket& b = m_buckets[bucket];
    m_bucketOf[position] = static_cast<std::uint16_t>(bucket);
    m_newer[position] = -1;
    m_older[position] = b.newest;
    if (b.newest >= 0)
        m_newer[b.newest] = static_cast<std::int32_t>(position);
    else
        b.oldest = static_cast<std::int32_t>(position);
    b.newest = static_cast<std::int32_t>(position);
}

template <std::uint32_t W, std::uint32_t B>
void MatchFinder<W, B>::unlink(std::uint32_t position) {
    Bucket& b = m_buckets[m_bucketOf[position]];
    const std::int32_t newer = m_newer[position], older = m_older[position];
    if (newer >= 0)
        m_older[newer] = older;
    else
        b.newest = older;
    if (older >= 0)
        m_newer[older] = newer;
    else
        b.oldest = newer;
    m_bucketOf[position] = kUnlinked;
}

template class MatchFinder<65536, 16384>;
template class MatchFinder<4096, 4096>;

} // namespace kv
