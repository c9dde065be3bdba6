#include "desktop/ShellIcons.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace kv {
namespace {

// A shape in unit coordinates: (0,0) top-left, (1,1) bottom-right.
using Shape = std::function<bool(double x, double y)>;

Shape RoundedRect(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const double dx = std::max({x0 + r - x, 0.0, x - (x1 - r)});
        const double dy = std::max({y0 + r - y, 0.0, y - (y1 - r)});
        return dx * dx + dy * dy <= r * r;
    };
}

Shape Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

// A page whose top-right corner is folded down by fold.
Shape Page(double x0, double y0, double x1, double y1, double fold) {
    return [=](double x, double y) {
        return x >= x0 && x <= x1 && y >= y0 && y <= y1 && (x1 - x) + (y - y0) >= fold;
    };
}

Shape FoldTriangle(double x1, double y0, double fold) {
    return [=](double x, double y) {
        return x <= x1 && y >= y0 && x >= x1 - fold && y <= y0 + fold &&
               (x1 - x) + (y - y0) >= fold;
    };
}

class IconCanvas {
  public:
    explicit IconCanvas(std::int32_t size)
        : m_size(size), m_pixels(static_cast<std::size_t>(size) * size, 0) {}

    // Paints the shape with a color; edges are smoothed with 4 x 4 samples per pixel.
    void fill(const Shape& shape, Color32 color) {
        constexpr int kSamples = 4;
        for (std::int32_t py = 0; py < m_size; ++py)
            for (std::int32_t px = 0; px < m_size; ++px) {
                int hits = 0;
                for (int sy = 0; sy < kSamples; ++sy)
                    for (int sx = 0; sx < kSamples; ++sx)
                        hits += shape((px + (sx + 0.5) / kSamples) / m_size,
                                      (py + (sy + 0.5) / kSamples) / m_size);
                if (hits)
                    blend(m_pixels[static_cast<std::size_t>(py) * m_size + px], color,
                          AlphaOf(color) * hits / (kSamples * kSamples));
            }
    }
    // A line of the given pixel width at least one pixel, in unit coordinates.
    double stroke(double pixels) const { return std::max(pixels, 1.0) / m_size; }
    std::vector<Color32> take() { return std::move(m_pixels); }

  private:
    static void blend(Color32& dst, Color32 src, unsigned alpha) {
        const unsigned da = AlphaOf(dst);
        const unsigned outA = alpha + da * (255 - alpha) / 255;
        if (outA == 0) return;
        auto channel = [&](unsigned s, unsigned d) {
            return (s * alpha + d * da * (255 - alpha) / 255 + outA / 2) / outA;
        };
        dst = MakeColor32(channel(RedOf(src), RedOf(dst)), channel(GreenOf(src), GreenOf(dst)),
                          channel(BlueOf(src), BlueOf(dst)), outA);
    }

    std::int32_t m_size;
    std::vector<Color32> m_pixels;
};

constexpr Color32 kInk = MakeColor32(0x33, 0x3B, 0x4A, 255);

void DrawApplication(IconCanvas& c) {
    const double edge = c.stroke(1.0);
    c.fill(RoundedRect(0.03, 0.03, 0.97, 0.97, 0.18), kInk);
    c.fill(RoundedRect(0.03 + edge, 0.03 + edge, 0.97 - edge, 0.97 - edge, 0.17),
           MakeColor32(0x2D, 0x5C, 0x9E, 255));
    // A three by three block of pixels, the thing the program edits.
    const Color32 cells[9] = {
        MakeColor32(0xF2, 0x5C, 0x54, 255), MakeColor32(0xF7, 0xB2, 0x67, 255),
        MakeColor32(0xFF, 0xE0, 0x66, 255), MakeColor32(0x70, 0xC1, 0xB3, 255),
        MakeColor32(0xFF, 0xFF, 0xFF, 255), MakeColor32(0x9B, 0xD1, 0x6A, 255),
        MakeColor32(0x5B, 0x8D, 0xEF, 255), MakeColor32(0xB1, 0x8F, 0xCF, 255),
        MakeColor32(0x24, 0x7B, 0xA0, 255)};
    const double step = 0.22, origin = 0.5 - 1.5 * step, gap = std::max(0.02, c.stroke(1.0) * 0.6);
    for (int i = 0; i < 9; ++i) {
        const double x = origin + (i % 3) * step, y = origin + (i / 3) * step;
        c.fill(RoundedRect(x + gap, y + gap, x + step - gap, y + step - gap, 0.02), cells[i]);
    }
}

void DrawPage(IconCanvas& c) {
    const double x0 = 0.14, y0 = 0.03, x1 = 0.86, y1 = 0.97, fold = 0.24;
    const double edge = c.stroke(1.0);
    c.fill(Page(x0, y0, x1, y1, fold), MakeColor32(0x7A, 0x80, 0x8C, 255));
    c.fill(Page(x0 + edge, y0 + edge, x1 - edge, y1 - edge, fold),
           MakeColor32(0xFA, 0xFA, 0xFA, 255));
    c.fill(FoldTriangle(x1, y0, fold), MakeColor32(0xC8, 0xCC, 0xD4, 255));
}

void DrawProjectBadge(IconCanvas& c) {
    const Color32 cells[4] = {
        MakeColor32(0xF2, 0x5C, 0x54, 255), MakeColor32(0xFF, 0xE0, 0x66, 255),
        MakeColor32(0x5B, 0x8D, 0xEF, 255), MakeColor32(0x9B, 0xD1, 0x6A, 255)};
    const double step = 0.22, left = 0.5 - step, top = 0.42;
    c.fill(
        RoundedRect(left - 0.03, top - 0.03, left + 2 * step + 0.03, top + 2 * step + 0.03, 0.04),
        kInk);
    for (int i = 0; i < 4; ++i) {
        const double x = left + (i % 2) * step, y = top + (i / 2) * step;
        c.fill(RoundedRect(x, y, x + step, y + step, 0.0), cells[i]);
    }
}

void DrawPluginBadge(IconCanvas& c) {
    const Color32 green = MakeColor32(0x3E, 0x9B, 0x5A, 255);
    const double prong = std::max(0.06, c.stroke(1.5));
    c.fill(RoundedRect(0.37 - prong / 2, 0.36, 0.37 + prong / 2, 0.52, 0.0), kInk);
    c.fill(RoundedRect(0.63 - prong / 2, 0.36, 0.63 + prong / 2, 0.52, 0.0), kInk);
    c.fill(RoundedRect(0.28, 0.5, 0.72, 0.74, 0.06), green);
    c.fill(RoundedRect(0.45, 0.72, 0.55, 0.88, 0.0), green);
}

void DrawColorsBadge(IconCanvas& c) {
    c.fill(Circle(0.5, 0.47, 0.17), MakeColor32(0xE5, 0x3B, 0x3B, 230));
    c.fill(Circle(0.38, 0.68, 0.17), MakeColor32(0x3B, 0xB5, 0x4A, 230));
    c.fill(Circle(0.62, 0.68, 0.17), MakeColor32(0x3B, 0x6B, 0xE5, 230));
}

} // namespace

std::vector<Color32> RenderShellIcon(ShellIcon icon, std::int32_t size) {
    IconCanvas canvas(std::max(size, 1));
    if (icon == ShellIcon::Application) {
        DrawApplication(canvas);
        return canvas.take();
    }
    DrawPage(canvas);
    if (icon == ShellIcon::Project)
        DrawProjectBadge(canvas);
    else if (icon == ShellIcon::Plugin)
        DrawPluginBadge(canvas);
    else
        DrawColorsBadge(canvas);
    return canvas.take();
}

} // namespace kv
