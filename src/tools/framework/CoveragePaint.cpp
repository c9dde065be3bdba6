#include "tools/framework/CoveragePaint.h"

#include "tools/framework/PaintTarget.h"

namespace kv {

void PaintCoverage(const PaintTarget& target, const Rect& rect, const MaskArray& coverage,
                   Point origin, Color32 color) {
    const Rect area = rect.intersected(target.pixels->bounds())
                          .intersected({origin.x, origin.y, origin.x + coverage.width(),
                                        origin.y + coverage.height()});
    if (area.isEmpty()) return;
    WithChannelMode(target.channelMode, [&](auto mode) {
        for (std::int32_t y = area.top; y < area.bottom; ++y) {
            Color32* out = target.pixels->row(y);
            const std::uint8_t* c = coverage.row(y - origin.y) - origin.x;
            const std::uint8_t* m = target.mask ? target.mask->row(y) : nullptr;
            for (std::int32_t x = area.left; x < area.right; ++x) {
                const std::uint32_t a = m ? MaskedStrength(c[x], m[x]) : c[x];
                if (a != 0) out[x] = PaintPixelAs<decltype(mode)::value>(out[x], color, a);
            }
        }
    });
}

} // namespace kv
