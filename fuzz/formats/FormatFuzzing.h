#pragma once
// What every reader's fuzz target shares: small limits, so that sizes a file
// claims are refused long before the sanitizers' memory limit, and the rule
// that a failure carries an error code.
#include "FormatError.h"
#include "Raster.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace kvf::fuzz {

inline Limits SmallLimits() {
    Limits limits;
    limits.maxPixels = std::uint64_t{1} << 20;
    return limits;
}

// Runs one read; it may fail, but only with a code.
template <typename Read> void Expect(Read read) {
    try {
        read();
    } catch (const FormatError& e) {
        if (e.code == 0) __builtin_trap();
    }
}

// Every row of a picture is as long as its width says (reads all of it).
inline void Touch(const Picture& p) {
    volatile std::uint8_t sink = 0;
    for (std::uint8_t b : p.image.pixels())
        sink = sink ^ b;
    if (p.image.pixels().size() != p.image.rowBytes() * std::size_t(p.image.height()))
        __builtin_trap();
    if (!p.mask.empty() &&
        (p.mask.width() != p.image.width() || p.mask.height() != p.image.height()))
        __builtin_trap();
}

} // namespace kvf::fuzz
