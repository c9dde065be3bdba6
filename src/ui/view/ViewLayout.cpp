#include "ui/view/ViewLayout.h"

#include "ui/view/ZoomTable.h"

#include <algorithm>

namespace kv {
namespace {

// Along one axis: centred when the scaled image and its margins fit,
// else placed by the scroll position.
std::int32_t AxisOrigin(std::int32_t client, std::int32_t scaled, std::int32_t content,
                        std::int32_t scroll) {
    if (content <= client) return (client - scaled) / 2;
    return ViewLayout::kMargin - scroll;
}

std::int32_t AxisScrollPlacing(std::int32_t units, std::int32_t client, int factor,
                               std::int32_t content, std::int32_t page) {
    const std::int64_t scaled = (std::int64_t{units} * factor) >> 8;
    const std::int64_t scroll = ViewLayout::kMargin - (client - scaled);
    const std::int32_t bound = std::max(0, content - page);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(scroll, 0, bound));
}

// Units scaled to screen pixels, rounded up.
std::int64_t ScaledUp(std::int32_t units, int factor) {
    return (std::int64_t{factor} * units + 255) / 256;
}

bool Fits(const Rect& units, ViewSize image, ViewSize area, ViewSize bars, int factor) {
    const std::int64_t imageW = std::int64_t{image.width} * factor;
    const std::int64_t imageH = std::int64_t{image.height} * factor;
    std::int64_t usableW = area.width - 2 * ViewLayout::kMargin;
    std::int64_t usableH = area.height - 2 * ViewLayout::kMargin;
    bool horizontalBar = false;
    if (imageW > usableW) {
        usableH -= bars.height;
        horizontalBar = true;
    }
    if (imageH > usableH) usableW -= bars.width;
    // A vertical bar can make the width need a horizontal one after all.
    if (!horizontalBar && imageW > usableW) usableH -= bars.height;
    return ScaledUp(units.width(), factor) <= usableW &&
           ScaledUp(units.height(), factor) <= usableH;
}

} // namespace

ViewLayout::ViewLayout(ViewSize image, int factor, ViewSize client, Point scroll)
    : m_image(image), m_factor(factor), m_client(client), m_scroll(scroll) {}

ViewSize ViewLayout::scaledImage() const {
    if (!hasImage()) return {};
    return {m_image.width * m_factor, m_image.height * m_factor};
}

ViewSize ViewLayout::content() const {
    if (!hasImage()) return {};
    const ViewSize scaled = scaledImage();
    return {scaled.width + 2 * kMargin, scaled.height + 2 * kMargin};
}

Point ViewLayout::maxScroll() const {
    const ViewSize c = content();
    return {std::max(0, c.width - m_client.width), std::max(0, c.height - m_client.height)};
}

Point ViewLayout::origin() const {
    const ViewSize scaled = scaledImage(), c = content();
    return {AxisOrigin(m_client.width, scaled.width, c.width, m_scroll.x),
            AxisOrigin(m_client.height, scaled.height, c.height, m_scroll.y)};
}

Rect ViewLayout::imageRect() const {
    const Point o = origin();
    const ViewSize scaled = scaledImage();
    return {o.x, o.y, o.x + scaled.width, o.y + scaled.height};
}

ImagePoint ViewLayout::centreAnchor() const {
    const Point o = origin();
    return {(m_client.width * 256 / 2 - o.x * 256) / m_factor,
            (m_client.height * 256 / 2 - o.y * 256) / m_factor};
}

ImagePoint ViewLayout::centreForViewState() const {
    if (!hasImage()) return {};
    const Point o = origin();
    return {(m_client.width / 2 - o.x) * 256 / m_factor,
            (m_client.height / 2 - o.y) * 256 / m_factor};
}

Point ViewLayout::scrollPlacing(ImagePoint p, Point client) const {
    const ViewSize c = content();
    return {AxisScrollPlacing(p.x, client.x, m_factor, c.width, m_client.width),
            AxisScrollPlacing(p.y, client.y, m_factor, c.height, m_client.height)};
}

int FitZoomLevel(const Rect& units, ViewSize image, ViewSize area, ViewSize scrollBars) {
    for (int level = 1; level < kZoomLevelCount; ++level)
        if (!Fits(units, image, area, scrollBars, ZoomFactor(level))) return level - 1;
    return kMaxZoomLevel;
}

} // namespace kv
