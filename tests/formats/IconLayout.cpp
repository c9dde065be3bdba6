#include "IconLayout.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void ExpectMaskMatchesAlpha(const Bytes& file, const IconLayoutEntry& e, const std::string& what) {
    const std::uint32_t w = std::uint32_t(e.bmpWidth), h = std::uint32_t(e.bmpHeight / 2);
    const std::size_t pixels = e.offset + 40, mask = pixels + std::size_t(w) * h * 4;
    const std::size_t maskStride = (w + 31) / 32 * 4;
    ASSERT_GE(file.size(), mask + maskStride * h) << what;
    bool anyVisible = false, anyAlpha = false;
    for (std::uint32_t row = 0; row < h; ++row)
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint8_t alpha = file[pixels + (std::size_t(row) * w + x) * 4 + 3];
            const bool andBit = (file[mask + row * maskStride + x / 8] >> (7 - x % 8)) & 1;
            EXPECT_EQ(andBit, alpha == 0) << what << " pixel " << x << " of stored row " << row;
            anyVisible = anyVisible || !andBit;
            anyAlpha = anyAlpha || alpha != 0;
        }
    EXPECT_EQ(anyVisible, anyAlpha) << what << ": visible pixels need alpha";
}

// Cursors keep their hotspot where icons keep planes and depth.
void ExpectEntryMatches(const Bytes& file, const IconLayoutEntry& e, bool cursor,
                        const std::string& what) {
    if (!cursor) {
        EXPECT_EQ(e.planes, 1u) << what;
        EXPECT_EQ(e.bitCount, e.png ? 32u : e.bmpBits) << what;
    }
    if (e.png) {
        EXPECT_EQ(e.colorCount, 0u) << what;
        return;
    }
    EXPECT_EQ(e.width ? e.width : 256, std::uint32_t(e.bmpWidth)) << what;
    EXPECT_EQ((e.height ? e.height : 256) * 2, std::uint32_t(e.bmpHeight)) << what;
    EXPECT_EQ(e.bmpCompression, 0u) << what;
    EXPECT_EQ(e.bmpColorsUsed, 0u) << what << ": palettes are written in full";
    EXPECT_EQ(e.colorCount, e.bmpBits < 8 ? 1u << e.bmpBits : 0u) << what;
    const std::size_t stride = (std::size_t(e.bmpWidth) * e.bmpBits + 31) / 32 * 4;
    const std::size_t maskStride = (std::size_t(e.bmpWidth) + 31) / 32 * 4;
    const std::size_t palette = e.bmpBits <= 8 ? (std::size_t{4} << e.bmpBits) : 0;
    EXPECT_EQ(e.size, 40 + palette + (stride + maskStride) * std::size_t(e.bmpHeight / 2)) << what;
    if (e.bmpBits == 32) ExpectMaskMatchesAlpha(file, e, what);
}

} // namespace

IconLayout ReadIconLayout(const Bytes& file) {
    IconLayout layout;
    layout.type = GetU16(file, 2);
    const std::uint32_t count = GetU16(file, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * std::size_t(i);
        IconLayoutEntry e;
        e.width = at < file.size() ? file[at] : 0;
        e.height = at + 1 < file.size() ? file[at + 1] : 0;
        e.colorCount = at + 2 < file.size() ? file[at + 2] : 0;
        e.planes = GetU16(file, at + 4);
        e.bitCount = GetU16(file, at + 6);
        e.size = GetU32(file, at + 8);
        e.offset = GetU32(file, at + 12);
        e.png = e.offset + 8 <= file.size() &&
                std::equal(kPngSignature, kPngSignature + 8, file.begin() + e.offset);
        if (!e.png) {
            e.bmpWidth = std::int32_t(GetU32(file, e.offset + 4));
            e.bmpHeight = std::int32_t(GetU32(file, e.offset + 8));
            e.bmpBits = GetU16(file, e.offset + 14);
            e.bmpCompression = GetU32(file, e.offset + 16);
            e.bmpColorsUsed = GetU32(file, e.offset + 32);
        }
        layout.entries.push_back(e);
    }
    return layout;
}

void ExpectWellFormedIcon(const Bytes& file, const std::string& what) {
    const IconLayout layout = ReadIconLayout(file);
    EXPECT_EQ(GetU16(file, 0), 0u) << what;
    ASSERT_FALSE(layout.entries.empty()) << what;
    std::size_t next = 6 + 16 * layout.entries.size();
    for (std::size_t i = 0; i < layout.entries.size(); ++i) {
        const IconLayoutEntry& e = layout.entries[i];
        const std::string entry = what + " entry " + std::to_string(i);
        EXPECT_EQ(e.offset, next) << entry << ": data contiguous in directory order";
        next = e.offset + e.size;
        ExpectEntryMatches(file, e, layout.type == 2, entry);
    }
    EXPECT_EQ(next, file.size()) << what << ": nothing after the last entry";
}

} // namespace kv::test
