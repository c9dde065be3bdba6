#include "editing/records/SnapshotRedraw.h"

#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "model/FixedPoint.h"
#include "model/Layer.h"
#include "model/Selection.h"

#include <algorithm>

namespace kv {
namespace {

Rect Moved(const Rect& r, Point d) {
    return r.isEmpty() ? Rect{} : Rect{r.left + d.x, r.top + d.y, r.right + d.x, r.bottom + d.y};
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

// One masked pass over the area: the snapshot displaced by d, each pixel
// weighted by its own mask byte (inverted for the part that stays).
void MaskedPass(PixelArray& dst, const PixelArray& src, const MaskArray& mask, Point d,
                bool inverted, const Rect& area) {
    const Rect r = area.intersected(Moved(src.bounds(), d));
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        const Color32* s = src.row(y - d.y) - d.x;
        const std::uint8_t* m = mask.row(y - d.y) - d.x;
        Color32* out = dst.row(y);
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const unsigned coverage = inverted ? 255u - m[x] : m[x];
            if (coverage != 0) out[x] = LayOver(out[x], s[x], coverage);
        }
    }
}

template <typename T>
void CopyDisplaced(RasterArray<T>& dst, const RasterArray<T>& src, Point d, const Rect& area) {
    dst.fillRect(area, 0);
    const Rect r = area.intersected(Moved(src.bounds(), d));
    if (!r.isEmpty())
        CopyRaster(dst, r.left, r.top, src, r.left - d.x, r.top - d.y, r.width(), r.height());
}

} // namespace

Point SnapshotOffsetInRasterPixels(Point offset, bool detail) {
    const int shift = detail ? 5 : 8;
    return {offset.x >> shift, offset.y >> shift};
}

const MaskArray& MoveCoverage(const SelectionSnapshot& selection, bool detailLayer) {
    return selection.supersampled() && !detailLayer ? selection.levelZero() : selection.mask();
}

void DisplacedCopy(PixelArray& dst, const PixelArray& src, Point d, const Rect& area) {
    CopyDisplaced(dst, src, d, area);
}

void DisplacedCopy(MaskArray& dst, const MaskArray& src, Point d, const Rect& area) {
    CopyDisplaced(dst, src, d, area);
}

void LayMovedSelection(PixelArray& dst, const PixelArray& src, const MaskArray& mask, Point d,
                       const Rect& area) {
    dst.fillRect(area, 0);
    MaskedPass(dst, src, mask, {}, true, area);
    MaskedPass(dst, src, mask, d, false, area);
}

bool RedrawLayerFromSnapshot(Layer& layer, bool selectionActive) {
    const LayerSnapshot& snapshot = LayerSnapshot::instance();
    PixelArray& dst = layer.editablePixels();
    const PixelArray& src = snapshot.pixels();
    const bool detail = layer.supersampled();
    const Point d = SnapshotOffsetInRasterPixels(snapshot.offset(), detail);
    if (!selectionActive) {
        DisplacedCopy(dst, src, d, dst.bounds());
    } else if (src.width() != dst.width() || src.height() != dst.height()) {
        return false;
    } else if (d == Point{}) {
        // Both passes lay the same pixel: the exact answer is the snapshot
        // itself, and undoing a move must give back exactly that.
        CopyRaster(dst, 0, 0, src);
    } else {
        const MaskArray& mask = MoveCoverage(SelectionSnapshot::instance(), detail);
        if (mask.width() != src.width() || mask.height() != src.height()) return false;
        LayMovedSelection(dst, src, mask, d, dst.bounds());
    }
    layer.refreshFromDetail(nullptr);
    return true;
}

bool RedrawSelectionFromSnapshot(Selection& selection) {
    const SelectionSnapshot& snapshot = SelectionSnapshot::instance();
    MaskArray& dst = selection.editableMask();
    const MaskArray& src = snapshot.mask();
    if (src.width() != dst.width() || src.height() != dst.height()) return false;
    DisplacedCopy(dst, src,
                  SnapshotOffsetInRasterPixels(snapshot.offset(), snapshot.supersampled()),
                  dst.bounds());
    selection.refreshFromDetail(nullptr);
    return true;
}

} // namespace kv
