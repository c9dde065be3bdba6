#pragma once
// An icon or cursor file taken apart by the test itself, to check what the
// writer put into the directory and the entries.
#include "FormatTestSupport.h"

namespace kv::test {

struct IconLayoutEntry {
    std::uint32_t width = 0, height = 0, colorCount = 0, planes = 0, bitCount = 0;
    std::uint32_t size = 0, offset = 0;
    bool png = false;
    // Bitmap entries: the header's fields.
    std::int32_t bmpWidth = 0, bmpHeight = 0;
    std::uint32_t bmpBits = 0, bmpColorsUsed = 0, bmpCompression = 0;
};

struct IconLayout {
    std::uint32_t type = 0;
    std::vector<IconLayoutEntry> entries;
};

IconLayout ReadIconLayout(const Bytes& file);

// Checks the writer's promises: entry data contiguous in directory order
// right after the directory, directory values matching the entries, full
// palettes, and for 32-bit bitmaps an AND mask set exactly where alpha is 0.
void ExpectWellFormedIcon(const Bytes& file, const std::string& what);

} // namespace kv::test
