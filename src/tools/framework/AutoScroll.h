#pragma once
// The step the view scrolls by on each auto-scroll tick of a tool drag.
#include <cstdint>

namespace kv {

// The step along one axis for a pointer at `position` in a client area from
// `low` (inclusive) to `high` (exclusive): how far the pointer lies outside.
constexpr std::int32_t AutoScrollStep(std::int32_t position, std::int32_t low, std::int32_t high) {
    if (position < low) return position - low;
    if (position >= high) return position - high + 1;
    return 0;
}

// The scroll position after a step, clamped to [0, content - page] (0 when
// that bound is below 1).
constexpr std::int32_t ScrolledPosition(std::int32_t position, std::int32_t step,
                                        std::int32_t content, std::int32_t page) {
    const std::int32_t bound = content - page;
    if (bound < 1) return 0;
    const std::int32_t moved = position + step;
    return moved < 0 ? 0 : (moved > bound ? bound : moved);
}

} // namespace kv
