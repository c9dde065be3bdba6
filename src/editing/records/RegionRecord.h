#pragma once
#include "editing/history/ActionData.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"

#include <cstdint>
#include <memory>

namespace kv {

// A captured rectangle of a pixel array or mask: its size, its top-left
// corner in the array and its bytes in 64 x 64 tile order, compressed.
struct RegionRecord {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::unique_ptr<ActionData> data;
};

// How a restore combines the stored bytes with the target's (modulo 256).
enum class RestoreMode { Write = 0, Add = 1, Subtract = 2 };

inline constexpr std::int32_t kCaptureTile = 64;

// The rectangle (the whole array when null) is clipped to the array. With a
// reference array of the same size, each byte stored is value - reference.
// Null when the coder fails; the user has been told then.
std::unique_ptr<RegionRecord> CaptureRegion(const PixelArray& array, const Rect* rect,
                                            const PixelArray* reference);
// Always the whole mask.
std::unique_ptr<RegionRecord> CaptureMask(const MaskArray& mask, const MaskArray* reference);

// False, with the target untouched, when the record or its data is missing,
// the data is damaged, or the target does not hold the record's region.
bool RestoreRegion(const RegionRecord* record, PixelArray& target, RestoreMode mode);
bool RestoreMask(const RegionRecord* record, MaskArray& target, RestoreMode mode);

} // namespace kv
