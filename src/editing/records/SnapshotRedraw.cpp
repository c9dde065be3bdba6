#include "editing/records/SnapshotRedraw.h"

#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "model/FixedPoint.h"
#include "model/Layer.h"
#include "model/Selection.h"

#include <algorithm>

namespace kv {
namespace {

// Offsets are in 1/256 image pixels; an 8x raster has 32 of them per pixel.
Point ToRasterPixels(Point offset, bool detail) {
    const int shift = detail ? 5 : 8;
    return {offset.x >> shift, offset.y >> shift};
}

// The source columns [x0, x1) of destination row y that fall inside the
// source when it is displaced by d.
struct Span {
    std::int32_t x0, x1;
};
Span Overlap(std::int32_t width, std::int32_t srcWidth, std::int32_t dx) {
    return {std::max(0, dx), std::min(width, srcWidth + dx)};
}

// Lays S over D with coverage m.
Color32 LayOver(Color32 d, Color32 s, unsigned m) {
    if (m == 255) return s;
    const unsigned sa = Div255(m * AlphaOf(s));
    const unsigned da = std::min(255u - m, AlphaOf(d));
    const unsigned a = sa + da;
    auto channel = [&](unsigned dc, unsigned sc) { return DivByAlphaSum(dc * da + sc * sa, a); };
    return MakeColor32(channel(RedOf(d), RedOf(s)), channel(GreenOf(d), GreenOf(s)),
                       channel(BlueOf(d), BlueOf(s)), a);
}

// One masked pass: the snapshot displaced by d, each pixel weighted by its
// own mask byte (inverted for the part that stays).
void MaskedPass(PixelArray& dst, const PixelArray& src, const MaskArray& mask, Point d,
                bool inverted) {
    const Span span = Overlap(dst.width(), src.width(), d.x);
    const std::int32_t y0 = std::max(0, d.y);
    const std::int32_t y1 = std::min(dst.height(), src.height() + d.y);
    for (std::int32_t y = y0; y < y1; ++y) {
        const Color32* s = src.row(y - d.y) - d.x;
        const std::uint8_t* m = mask.row(y - d.y) - d.x;
        Color32* out = dst.row(y);
        for (std::int32_t x = span.x0; x < span.x1; ++x) {
            const unsigned coverage = inverted ? 255u - m[x] : m[x];
            if (coverage != 0) out[x] = LayOver(out[x], s[x], coverage);
        }
    }
}

template <typename T> void DisplacedCopy(RasterArray<T>& dst, const RasterArray<T>& src, Point d) {
    dst.fill(0);
    CopyRaster(dst, d.x, d.y, src);
}

const MaskArray& CoverageMask(const SelectionSnapshot& selection, bool detailLayer) {
    return selection.supersampled() && !detailLayer ? selection.levelZero() : selection.mask();
}

} // namespace

bool RedrawLayerFromSnapshot(Layer& layer, bool selectionActive) {
    const LayerSnapshot& snapshot = LayerSnapshot::instance();
    PixelArray& dst = layer.editablePixels();
    const PixelArray& src = snapshot.pixels();
    const bool detail = layer.supersampled();
    const Point d = ToRasterPixels(snapshot.offset(), detail);
    if (!selectionActive) {
        DisplacedCopy(dst, src, d);
    } else if (src.width() != dst.width() || src.height() != dst.height()) {
        return false;
    } else if (d == Point{}) {
        // Both passes lay the same pixel: the exact answer is the snapshot
        // itself, and undoing a move must give back exactly that.
        CopyRaster(dst, 0, 0, src);
    } else {
        const MaskArray& mask = CoverageMask(SelectionSnapshot::instance(), detail);
        if (mask.width() != src.width() || mask.height() != src.height()) return false;
        dst.fill(0);
        MaskedPass(dst, src, mask, {}, true);
        MaskedPass(dst, src, mask, d, false);
    }
    layer.refreshFromDetail(nullptr);
    return true;
}

bool RedrawSelectionFromSnapshot(Selection& selection) {
    const SelectionSnapshot& snapshot = SelectionSnapshot::instance();
    MaskArray& dst = selection.editableMask();
    const MaskArray& src = snapshot.mask();
    if (src.width() != dst.width() || src.height() != dst.height()) return false;
    DisplacedCopy(dst, src, ToRasterPixels(snapshot.offset(), snapshot.supersampled()));
    selection.refreshFromDetail(nullptr);
    return true;
}

} // namespace kv
