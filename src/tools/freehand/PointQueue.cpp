#include "tools/freehand/PointQueue.h"

namespace kv {

void PointQueue::reset() {
    m_closed = false;
    m_last = -1;
    m_next = 0;
    m_count = 0;
}

void PointQueue::add(ImagePoint p) {
    if (m_closed || m_count == kCapacity) return;
    if (hasAdded() && lastAdded() == p) return;
    m_last = (m_last + 1) % kCapacity;
    m_ring[static_cast<std::size_t>(m_last)] = p;
    ++m_count;
}

bool PointQueue::take(ImagePoint& p) {
    if (m_count == 0) return false;
    p = m_ring[static_cast<std::size_t>(m_next)];
    m_next = (m_next + 1) % kCapacity;
    --m_count;
    return true;
}

} // namespace kv
