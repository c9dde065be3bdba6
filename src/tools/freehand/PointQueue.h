#pragma once
#include "tools/framework/ToolGeometry.h"

#include <array>
#include <cstdint>

namespace kv {

// The pointer positions a Brush stroke still has to reach: a ring of 1024
// points. Closed once the stroke's button is released, so that the catch-up
// of a long segment stops there.
class PointQueue {
  public:
    static constexpr std::int32_t kCapacity = 1024;

    // Empty and open again.
    void reset();
    void close() { m_closed = true; }
    bool closed() const { return m_closed; }
    // Refused when closed or full; the point last added is not added again.
    void add(ImagePoint p);
    // The oldest point; false when empty.
    bool take(ImagePoint& p);
    std::int32_t count() const { return m_count; }
    // Whether anything was added since the reset, and the last point added.
    bool hasAdded() const { return m_last >= 0; }
    ImagePoint lastAdded() const { return m_ring[static_cast<std::size_t>(m_last)]; }

  private:
    bool m_closed = false;
    std::int32_t m_last = -1;
    std::int32_t m_next = 0;
    std::int32_t m_count = 0;
    std::array<ImagePoint, kCapacity> m_ring{};
};

} // namespace kv
