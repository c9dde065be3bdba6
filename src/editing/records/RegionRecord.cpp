#include "editing/records/RegionRecord.h"

#include "editing/history/ActionCoder.h"

#include <algorithm>
#include <new>
#include <vector>

namespace kv {
namespace {

// Walks a w x h region at (x0, y0) in tile order and hands every tile row
// segment (its first element and its length in elements) to the visitor.
template <typename Visit>
void ForEachTileRow(std::int32_t x0, std::int32_t y0, std::int32_t w, std::int32_t h,
                    Visit&& visit) {
    for (std::int32_t ty = 0; ty < h; ty += kCaptureTile) {
        const std::int32_t th = std::min(kCaptureTile, h - ty);
        for (std::int32_t tx = 0; tx < w; tx += kCaptureTile) {
            const std::int32_t tw = std::min(kCaptureTile, w - tx);
            for (std::int32_t row = 0; row < th; ++row)
                visit(x0 + tx, y0 + ty + row, tw);
        }
    }
}

template <typename T>
std::unique_ptr<RegionRecord> Capture(const RasterArray<T>& array, const Rect& region,
                                      const RasterArray<T>* reference) {
    ActionCoder& coder = ActionCoder::instance();
    std::unique_ptr<RegionRecord> record;
    try {
        record = std::make_unique<RegionRecord>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    record->x = region.left;
    record->y = region.top;
    record->width = region.width();
    record->height = region.height();
    if (!coder.begin()) return nullptr;
    const bool diff = reference && reference->width() == array.width() &&
                      reference->height() == array.height() && !reference->isEmpty();
    ForEachTileRow(region.left, region.top, record->width, record->height,
                   [&](std::int32_t x, std::int32_t y, std::int32_t n) {
                       const auto* bytes = reinterpret_cast<const std::uint8_t*>(array.row(y) + x);
                       const std::size_t count = static_cast<std::size_t>(n) * sizeof(T);
                       if (diff)
                           coder.feedDifference(
                               bytes, reinterpret_cast<const std::uint8_t*>(reference->row(y) + x),
                               count);
                       else
                           coder.feed(bytes, count);
                   });
    record->data = coder.finish();
    if (!record->data) return nullptr;
    return record;
}

template <typename T>
bool Restore(const RegionRecord* record, RasterArray<T>& target, RestoreMode mode) {
    if (!record || !record->data || record->x < 0 || record->y < 0 || record->width < 0 ||
        record->height < 0)
        return false;
    if (target.width() < record->x + record->width || target.height() < record->y + record->height)
        return false;
    const std::size_t expected = static_cast<std::size_t>(record->width) *
                                 static_cast<std::size_t>(record->height) * sizeof(T);
    if (record->data->uncompressedSize() != expected) return false;
    if (expected == 0) return true;
    // Decoded in full first, so damaged data leaves the target as it was.
    std::vector<std::uint8_t> bytes;
    try {
        if (!DecodeActionData(*record->data, bytes)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    const std::uint8_t* src = bytes.data();
    ForEachTileRow(record->x, record->y, record->width, record->height,
                   [&](std::int32_t x, std::int32_t y, std::int32_t n) {
                       auto* dst = reinterpret_cast<std::uint8_t*>(target.row(y) + x);
                       const std::size_t count = static_cast<std::size_t>(n) * sizeof(T);
                       switch (mode) {
                       case RestoreMode::Write:
                           std::copy(src, src + count, dst);
                           break;
                       case RestoreMode::Add:
                           for (std::size_t i = 0; i < count; ++i)
                               dst[i] = static_cast<std::uint8_t>(dst[i] + src[i]);
                           break;
                       case RestoreMode::Subtract:
                           for (std::size_t i = 0; i < count; ++i)
                               dst[i] = static_cast<std::uint8_t>(dst[i] - src[i]);
                           break;
                       }
                       src += count;
                   });
    return true;
}

} // namespace

std::unique_ptr<RegionRecord> CaptureRegion(const PixelArray& array, const Rect* rect,
                                            const PixelArray* reference) {
    Rect region = array.bounds();
    if (rect) {
        const std::int32_t x0 = std::max(rect->left, 0);
        const std::int32_t y0 = std::max(rect->top, 0);
        region = {x0, y0, std::max(std::min(rect->right, array.width()), x0),
                  std::max(std::min(rect->bottom, array.height()), y0)};
    }
    return Capture(array, region, reference);
}

std::unique_ptr<RegionRecord> CaptureMask(const MaskArray& mask, const MaskArray* reference) {
    return Capture(mask, mask.bounds(), reference);
}

bool RestoreRegion(const RegionRecord* record, PixelArray& target, RestoreMode mode) {
    return Restore(record, target, mode);
}

bool RestoreMask(const RegionRecord* record, MaskArray& target, RestoreMode mode) {
    return Restore(record, target, mode);
}

} // namespace kv
