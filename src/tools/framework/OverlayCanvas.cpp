#include "tools/framework/OverlayCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kv {

OverlayCanvas::OverlayCanvas(PixelArray& view, const Rect& clip, Point origin, int zoom)
    : m_view(view), m_clip(clip.intersected(view.bounds())), m_origin(origin), m_zoom(zoom) {}

void OverlayCanvas::plot(std::int32_t x, std::int32_t y) {
    if (m_clip.contains(x, y)) m_points.push_back({x, y});
}

void OverlayCanvas::screenLine(Point a, Point b) {
    const std::int32_t dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const std::int32_t sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    std::int32_t error = dx + dy;
    for (;;) {
        plot(a.x, a.y);
        if (a == b) return;
        const std::int32_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            a.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            a.y += sy;
        }
    }
}

void OverlayCanvas::line(ImagePoint a, ImagePoint b) {
    screenLine(toClient(a), toClient(b));
}

void OverlayCanvas::rectangle(const Rect& units) {
    const Rect r = UnitsToClient(units, m_origin, m_zoom);
    if (r.isEmpty()) return;
    const Point tl{r.left, r.top}, br{r.right - 1, r.bottom - 1};
    screenLine(tl, {br.x, tl.y});
    screenLine({br.x, tl.y}, br);
    screenLine(br, {tl.x, br.y});
    screenLine({tl.x, br.y}, tl);
}

void OverlayCanvas::mark(ImagePoint p) {
    const Point c = toClient(p);
    const std::int32_t m = kMarkRadius;
    rectangleOnScreen({c.x - m, c.y - m}, {c.x + m, c.y + m});
}

void OverlayCanvas::rectangleOnScreen(Point a, Point b) {
    screenLine(a, {b.x, a.y});
    screenLine({b.x, a.y}, b);
    screenLine(b, {a.x, b.y});
    screenLine({a.x, b.y}, a);
}

void OverlayCanvas::coverage(const MaskArray& cells, ImagePoint topLeft, std::int32_t cellUnits) {
    if (cells.isEmpty() || cellUnits <= 0) return;
    const Rect units{topLeft.x, topLeft.y, topLeft.x + cells.width() * cellUnits,
                     topLeft.y + cells.height() * cellUnits};
    const Rect area = UnitsToClient(units, m_origin, m_zoom).intersected(m_clip);
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const std::int32_t uy = ViewToImage({0, y}, m_origin, m_zoom).y - topLeft.y;
        const std::int32_t cy = uy / cellUnits;
        if (uy < 0 || cy >= cells.height()) continue;
        const std::uint8_t* row = cells.row(cy);
        for (std::int32_t x = area.left; x < area.right; ++x) {
            const std::int32_t ux = ViewToImage({x, 0}, m_origin, m_zoom).x - topLeft.x;
            const std::int32_t cx = ux / cellUnits;
            if (ux >= 0 && cx < cells.width() && row[cx] >= 128) m_points.push_back({x, y});
        }
    }
}

void OverlayCanvas::ellipse(const Rect& units) {
    const Rect r = UnitsToClient(units, m_origin, m_zoom);
    if (r.isEmpty()) return;
    const double cx = (r.left + r.right - 1) * 0.5, cy = (r.top + r.bottom - 1) * 0.5;
    const double rx = (r.width() - 1) * 0.5, ry = (r.height() - 1) * 0.5;
    // Walked once by columns and once by rows, so that steep and flat parts
    // both come out without gaps.
    for (std::int32_t x = r.left; x < r.right; ++x) {
        const double t = rx > 0 ? (x - cx) / rx : 0;
        const double h = ry * std::sqrt(std::max(0.0, 1 - t * t));
        plot(x, static_cast<std::int32_t>(std::lround(cy - h)));
        plot(x, static_cast<std::int32_t>(std::lround(cy + h)));
    }
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        const double t = ry > 0 ? (y - cy) / ry : 0;
        const double w = rx * std::sqrt(std::max(0.0, 1 - t * t));
        plot(static_cast<std::int32_t>(std::lround(cx - w)), y);
        plot(static_cast<std::int32_t>(std::lround(cx + w)), y);
    }
}

void OverlayCanvas::cellOutline(const MaskArray& cells, ImagePoint topLeft,
                                std::int32_t cellUnits) {
    const auto set = [&](std::int32_t i, std::int32_t j) {
        return i >= 0 && j >= 0 && i < cells.width() && j < cells.height() && cells.get(i, j);
    };
    for (std::int32_t j = 0; j < cells.height(); ++j)
        for (std::int32_t i = 0; i < cells.width(); ++i) {
            if (!set(i, j)) continue;
            const Point a = toClient({topLeft.x + i * cellUnits, topLeft.y + j * cellUnits});
            Point b = toClient({topLeft.x + (i + 1) * cellUnits, topLeft.y + (j + 1) * cellUnits});
            b = {std::max(a.x, b.x - 1), std::max(a.y, b.y - 1)};
            if (!set(i - 1, j)) screenLine(a, {a.x, b.y});
            if (!set(i + 1, j)) screenLine({b.x, a.y}, b);
            if (!set(i, j - 1)) screenLine(a, {b.x, a.y});
            if (!set(i, j + 1)) screenLine({a.x, b.y}, b);
        }
}

void OverlayCanvas::finish() {
    std::sort(m_points.begin(), m_points.end(),
              [](Point a, Point b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    m_points.erase(std::unique(m_points.begin(), m_points.end()), m_points.end());
    for (const Point& p : m_points)
        m_view.set(p.x, p.y, (m_view.get(p.x, p.y) ^ 0x00FFFFFFu) | 0xFF000000u);
    m_points.clear();
}

} // namespace kv
