#include "tools/freehand/BrushDab.h"

#include "tools/framework/PaintPixel.h"
#include "tools/framework/PaintTarget.h"
#include "tools/freehand/TipProfile.h"

#include <cmath>

namespace kv {

Rect BrushTipRect(ImagePoint p, std::int32_t tipUnits, int zoom) {
    const std::int32_t h = tipUnits / 2;
    std::int32_t left = p.x - h, top = p.y - h;
    if (OnScreenWidth(tipUnits, zoom) % 2 == 0) {
        const std::int32_t shift = (zoom / 2 + 128) / zoom;
        left += shift;
        top += shift;
    }
    return {left, top, left + tipUnits, top + tipUnits};
}

Rect PaintDab(const PaintTarget& target, const Rect& tip, const TipProfile& profile,
              double strength, Color32 color) {
    const Rect area = WidenToLayerPixels(tip.intersected(target.boundsInUnits()), target.level);
    if (area.isEmpty()) return {};
    // The centre in layer pixels, where pixel centres are whole numbers.
    const double scale = 1 << (9 - target.level);
    const double cx = (tip.left + tip.right) / scale - 0.5;
    const double cy = (tip.top + tip.bottom) / scale - 0.5;
    const Rect px = UnitsToLayerPixels(area, target.level);
    PixelArray& pixels = *target.pixels;
    const MaskArray* mask = target.mask;
    WithChannelMode(target.channelMode, [&](auto mode) {
        for (std::int32_t y = px.top; y < px.bottom; ++y) {
            const double dy = y - cy;
            const double dy2 = dy * dy;
            if (!profile.reaches(dy2)) continue;
            Color32* row = pixels.row(y);
            const std::uint8_t* m = mask ? mask->row(y) : nullptr;
            for (std::int32_t x = px.left; x < px.right; ++x) {
                const double dx = x - cx;
                const double d2 = dx * dx + dy2;
                if (!profile.reaches(d2)) continue;
                const double c = profile.pixelCoverage(dx, dy, d2);
                auto a = static_cast<std::uint32_t>(std::nearbyint(c * strength));
                if (m) a = MaskedStrength(a, m[x]);
                if (a == 0) continue;
                row[x] = PaintPixelAs<decltype(mode)::value>(row[x], color, a);
            }
        }
    });
    target.refreshFromDetail(area);
    return area;
}

} // namespace kv
