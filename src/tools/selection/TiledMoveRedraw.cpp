#include "tools/selection/TiledMoveRedraw.h"

#include "editing/history/ActionManager.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "editing/records/SnapshotRedraw.h"
#include "model/FixedPoint.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/Selection.h"

#include <algorithm>
#include <vector>

namespace kv {
namespace {

constexpr std::int32_t kTile = 64;

Rect Moved(const Rect& r, Point d) {
    return r.isEmpty() ? Rect{} : Rect{r.left + d.x, r.top + d.y, r.right + d.x, r.bottom + d.y};
}

// The tiles of a raster that any of the rectangles touches, handed over as
// runs of neighbouring tiles in a tile row (each clipped to the raster):
// drawing is per pixel, so a run draws exactly as its tiles would.
class TileSet {
  public:
    TileSet(std::int32_t width, std::int32_t height)
        : m_width(width), m_height(height), m_columns((width + kTile - 1) / kTile),
          m_rows((height + kTile - 1) / kTile),
          m_marked(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows)) {}

    void add(const Rect& r) {
        const Rect c = r.intersected(Rect::ofSize(m_width, m_height));
        if (c.isEmpty()) return;
        for (std::int32_t ty = c.top / kTile; ty <= (c.bottom - 1) / kTile; ++ty)
            for (std::int32_t tx = c.left / kTile; tx <= (c.right - 1) / kTile; ++tx)
                m_marked[static_cast<std::size_t>(ty * m_columns + tx)] = 1;
    }

    template <typename Visit> void forEachRun(Visit&& visit) const {
        for (std::int32_t ty = 0; ty < m_rows; ++ty)
            for (std::int32_t tx = 0; tx < m_columns;) {
                if (!m_marked[static_cast<std::size_t>(ty * m_columns + tx)]) {
                    ++tx;
                    continue;
                }
                const std::int32_t first = tx;
                while (tx < m_columns && m_marked[static_cast<std::size_t>(ty * m_columns + tx)])
                    ++tx;
                visit(Rect{first * kTile, ty * kTile, std::min(tx * kTile, m_width),
                           std::min((ty + 1) * kTile, m_height)});
            }
    }

  private:
    std::int32_t m_width, m_height, m_columns, m_rows;
    std::vector<std::uint8_t> m_marked;
};

Rect NonZeroBounds(const MaskArray& mask) {
    bool full = false, empty = true;
    Rect bounds;
    ScanMask(mask, full, empty, bounds);
    return empty ? Rect{} : bounds;
}

// A rectangle of an 8x raster as the image pixels it lies in.
Rect ToImagePixels(const Rect& r, bool detail) {
    if (!detail) return r;
    return {r.left >> 3, r.top >> 3, (r.right + 7) >> 3, (r.bottom + 7) >> 3};
}

} // namespace

TiledMoveRedraw::Witness TiledMoveRedraw::observe(const Image& image, const Layer& layer) {
    Witness w;
    w.layer = &layer;
    w.pixels = layer.editablePixels().data();
    w.snapshot = LayerSnapshot::instance().pixels().data();
    if (const auto* history = dynamic_cast<const ActionManager*>(image.history())) {
        w.undo = history->undoCursor();
        w.redo = history->redoCursor();
    }
    w.layerOffset = LayerSnapshot::instance().offset();
    w.selectionOffset = SelectionSnapshot::instance().offset();
    return w;
}

bool TiledMoveRedraw::ready(const Image& image, const Layer& layer) const {
    return m_ready && observe(image, layer) == m_witness;
}

void TiledMoveRedraw::begin(const Image& image, const Layer& layer,
                            const Selection* activeSelection) {
    m_ready = false;
    m_witness = observe(image, layer);
    const LayerSnapshot& snapshot = LayerSnapshot::instance();
    const PixelArray& src = snapshot.pixels();
    const PixelArray& dst = layer.editablePixels();
    m_selectionActive = activeSelection != nullptr;
    if (!activeSelection) {
        m_content = src.bounds();
        m_mask = {};
        m_ready = true;
        return;
    }
    const SelectionSnapshot& selection = SelectionSnapshot::instance();
    const MaskArray& coverage = MoveCoverage(selection, layer.supersampled());
    if (src.width() != dst.width() || src.height() != dst.height() ||
        coverage.width() != src.width() || coverage.height() != src.height() ||
        selection.mask().width() != activeSelection->editableMask().width() ||
        selection.mask().height() != activeSelection->editableMask().height())
        return;
    m_content = NonZeroBounds(coverage);
    m_mask = NonZeroBounds(selection.mask());
    m_ready = true;
}

void TiledMoveRedraw::redraw(const Image& image, Layer& layer, Selection* activeSelection,
                             Point layerFrom, Point selectionFrom) {
    const LayerSnapshot& snapshot = LayerSnapshot::instance();
    const PixelArray& src = snapshot.pixels();
    PixelArray& dst = layer.editablePixels();
    const bool detail = layer.supersampled();
    const Point from = SnapshotOffsetInRasterPixels(layerFrom, detail);
    const Point d = SnapshotOffsetInRasterPixels(snapshot.offset(), detail);

    TileSet tiles(dst.width(), dst.height());
    // Outside the content at both offsets, both drawings are the part that
    // stays (or, at offset 0, the snapshot, which equals it outside the
    // content). The hole the content leaves is therefore covered too: it
    // only changes when one of the offsets is 0, and then it is the content
    // at that offset.
    tiles.add(Moved(m_content, from));
    tiles.add(Moved(m_content, d));
    const SelectionSnapshot& selection = SelectionSnapshot::instance();
    const MaskArray* coverage = m_selectionActive ? &MoveCoverage(selection, detail) : nullptr;
    tiles.forEachRun([&](const Rect& run) {
        if (!coverage) {
            DisplacedCopy(dst, src, d, run);
        } else if (d == Point{}) {
            // Both passes lay the same pixel: the snapshot itself.
            CopyRaster(dst, src, run);
        } else {
            LayMovedSelection(dst, src, *coverage, d, run);
        }
        if (detail) {
            const Rect pixels = ToImagePixels(run, true);
            layer.refreshFromDetail(&pixels);
        }
    });

    m_witness = observe(image, layer);
    if (!activeSelection) return;
    MaskArray& mask = activeSelection->editableMask();
    const MaskArray& maskSrc = selection.mask();
    const bool maskDetail = selection.supersampled();
    const Point maskFrom = SnapshotOffsetInRasterPixels(selectionFrom, maskDetail);
    const Point maskTo = SnapshotOffsetInRasterPixels(selection.offset(), maskDetail);
    TileSet maskTiles(mask.width(), mask.height());
    maskTiles.add(Moved(m_mask, maskFrom));
    maskTiles.add(Moved(m_mask, maskTo));
    Rect changed;
    maskTiles.forEachRun([&](const Rect& run) {
        DisplacedCopy(mask, maskSrc, maskTo, run);
        changed.unite(run);
    });
    // One refresh: it also rescans the whole mask for its bounds.
    const Rect pixels = ToImagePixels(changed, maskDetail);
    activeSelection->refreshFromDetail(&pixels);
}

} // namespace kv
