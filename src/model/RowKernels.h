#pragma once
// The row loops that every flatten runs through, with vector lanes where the
// processor offers them. Each gives the same bits as the per-pixel rules in
// Blending.h; the lanes only do several pixels at once.
#include "model/Color32.h"

#include <cstdint>

namespace kv {

// Alpha of n pixels scaled by the 24-bit fraction (below kOpacityOne).
void ScaleAlphaRow(Color32* p, std::int32_t n, std::uint32_t fraction);

// n source pixels blended over n destination pixels (fraction >= 1).
void BlendOverRow(Color32* d, const Color32* s, std::int32_t n, std::uint32_t fraction);

// n pixels, each the alpha-weighted average of its 2 x 2 block in the two
// source rows (2n pixels each).
void ReduceRow(const Color32* upper, const Color32* lower, Color32* out, std::int32_t n);

} // namespace kv
