#include "storage/LzrcMatchFinder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kv {

LzrcMatchFinder::LzrcMatchFinder()
    : m_ring(new (std::nothrow) std::uint8_t[kRingSize + kLookahead]()),
      m_nodes(new (std::nothrow) Node[kRingSize]()),
      m_buckets(new (std::nothrow) Bucket[kBuckets]) {
    if (m_buckets)
        std::fill(m_buckets.get(), m_buckets.get() + kBuckets, Bucket{-1, -1});
}

std::uint32_t LzrcMatchFinder::commonLength(std::uint32_t a, std::uint32_t b) const {
    const std::uint8_t* pa = m_ring.get() + a;
    const std::uint8_t* pb = m_ring.get() + b;
    std::uint32_t length = 0;
    while (length < kLookahead) {
        std::uint64_t wa, wb;
        std::memcpy(&wa, pa + length, 8);
        std::memcpy(&wb, pb + length, 8);
        const std::uint64_t diff = wa ^ wb;
        if (diff != 0)
            return length + static_cast<std::uint32_t>(__builtin_ctzll(diff) >> 3);
        length += 8;
    }
    return kLookahead;
}

LzrcMatchFinder::Match LzrcMatchFinder::search() {
    const std::uint32_t e = m_encode;
    const std::uint32_t bucket = hashAt(e);
    std::uint32_t best = 0;
    std::int32_t bestPosition = -1;
    const std::uint8_t* ring = m_ring.get();
    for (std::int32_t p = m_buckets[bucket].newest; p >= 0;) {
        const auto node = static_cast<std::uint32_t>(p);
        const std::uint32_t distance = e >= node ? e - node : e + kRingSize - node;
        // Chains are ordered by age: everything from here on is out of reach.
        if (distance > kWindow)
            break;
        const std::int32_t older = m_nodes[node].older;
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

void LzrcMatchFinder::append(std::uint32_t position, std::uint32_t bucket) {
    Node& node = m_nodes[position];
    Bucket& b = m_buckets[bucket];
    node.bucket = static_cast<std::uint16_t>(bucket);
    node.linked = true;
    node.newer = -1;
    node.older = b.newest;
    if (b.newest >= 0)
        m_nodes[b.newest].newer = static_cast<std::int32_t>(position);
    else
        b.oldest = static_cast<std::int32_t>(position);
    b.newest = static_cast<std::int32_t>(position);
}

void LzrcMatchFinder::unlink(std::uint32_t position) {
    Node& node = m_nodes[position];
    Bucket& b = m_buckets[node.bucket];
    if (node.newer >= 0)
        m_nodes[node.newer].older = node.older;
    else
        b.newest = node.older;
    if (node.older >= 0)
        m_nodes[node.older].newer = node.newer;
    else
        b.oldest = node.newer;
    node.linked = false;
}

} // namespace kv
