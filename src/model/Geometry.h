#pragma once
#include <algorithm>
#include <cstdint>

namespace kv {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend constexpr Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend constexpr bool operator==(Point a, Point b) = default;
};

// Right and bottom are exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    constexpr bool isEmpty() const { return left >= right || top >= bottom; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;

    static constexpr Rect ofSize(std::int32_t w, std::int32_t h) { return {0, 0, w, h}; }

    // Empty operands are ignored; two empty ones give (0, 0, 0, 0).
    constexpr Rect united(const Rect& o) const {
        if (o.isEmpty()) return isEmpty() ? Rect{} : *this;
        if (isEmpty()) return o;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    constexpr Rect& unite(const Rect& o) { return *this = united(o); }

    // An empty intersection is (0, 0, 0, 0).
    constexpr Rect intersected(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.isEmpty() ? Rect{} : r;
    }
    constexpr Rect& intersect(const Rect& o) { return *this = intersected(o); }

    constexpr bool contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

} // namespace kv
