#include "tools/freehand/TipPreviews.h"

#include "tools/freehand/HardTip.h"
#include "tools/freehand/TipProfile.h"

#include <cmath>

namespace kv {
namespace {

// A tip wider than the box less 2 pixels is shown at the largest size that
// fits, with its number.
TipPreview EmptyPreview(std::int32_t size, std::int32_t boxSize, std::int32_t& shown) {
    TipPreview preview;
    preview.size = size;
    const std::int32_t room = boxSize - 2;
    preview.showsSizeNumber = size > room;
    shown = preview.showsSizeNumber ? room : size;
    if (boxSize > 0) {
        preview.coverage.setSize(boxSize, boxSize);
        preview.coverage.fill(0);
    }
    return preview;
}

} // namespace

TipPreview RenderHardTipPreview(std::int32_t size, std::int32_t boxSize) {
    std::int32_t shown = 0;
    TipPreview preview = EmptyPreview(size, boxSize, shown);
    if (shown < 1) return preview;
    const MaskArray cells = HardTipCells(shown);
    const std::int32_t offset = (boxSize - shown) / 2;
    CopyRaster(preview.coverage, offset, offset, cells);
    return preview;
}

TipPreview RenderSoftTipPreview(std::int32_t size, std::int32_t hardnessPercent,
                                std::int32_t boxSize) {
    std::int32_t shown = 0;
    TipPreview preview = EmptyPreview(size, boxSize, shown);
    if (shown < 1) return preview;
    const TipProfile profile(shown, hardnessPercent);
    // Placed like the hard tip: an odd size centres on a pixel.
    const double centre = (boxSize - shown) / 2 + shown / 2.0 - 0.5;
    for (std::int32_t y = 0; y < boxSize; ++y)
        for (std::int32_t x = 0; x < boxSize; ++x) {
            const double dx = x - centre, dy = y - centre, d2 = dx * dx + dy * dy;
            if (!profile.reaches(d2)) continue;
            const double c = profile.pixelCoverage(dx, dy, d2);
            preview.coverage.set(x, y, static_cast<std::uint8_t>(std::nearbyint(c * 255)));
        }
    return preview;
}

} // namespace kv
