#include "editing/clipboard/ClipboardFormats.h"

#include "model/MaskArray.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kv::test {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// A raster of distinct colours with varied alpha, fully covered.
struct Source {
    PixelArray pixels;
    MaskArray mask;
    Source(std::int32_t w, std::int32_t h) : pixels(w, h), mask(w, h) {
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                pixels.set(x, y,
                           MakeColor32(static_cast<unsigned>(x * 37 + y) & 255,
                                       static_cast<unsigned>(y * 53 + 7) & 255,
                                       static_cast<unsigned>(x * y + 90) & 255,
                                       static_cast<unsigned>(x * 29 + y * 11 + 1) & 255));
        mask.fill(255);
    }
    ClipPicture picture(int bits) const {
        return *BuildClipPicture(pixels, mask, pixels.bounds(), bits, 2834.6f, 3779.5f);
    }
};

PastePicture Held(const ClipPicture& picture) {
    PastePicture p;
    EXPECT_TRUE(ReadClipPicture(picture, p));
    return p;
}

bool Same(const PixelArray& a, const PixelArray& b, bool ignoreAlpha = false) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (std::int32_t y = 0; y < a.height(); ++y)
        for (std::int32_t x = 0; x < a.width(); ++x)
            if (ignoreAlpha ? WithAlpha(a.get(x, y), 255) != b.get(x, y)
                            : a.get(x, y) != b.get(x, y))
                return false;
    return true;
}

TEST(ClipboardFormats, EveryFormRoundTripsAtAwkwardWidths) {
    for (const std::int32_t width : {1, 3, 4, 5, 7, 33}) {
        const Source source(width, 3);
        for (const int bits : {8, 24, 32}) {
            SCOPED_TRACE(testing::Message() << width << " x 3 at " << bits);
            const ClipPicture picture = source.picture(bits);
            const PastePicture held = Held(picture);
            PastePicture back;
            const auto priv = PrivateClipData(picture);
            ASSERT_TRUE(ReadPrivateClipData(priv.data(), priv.size(), back));
            EXPECT_TRUE(Same(held.pixels, back.pixels));
            EXPECT_EQ(back.resolutionX, 2834.6f);
            const auto dib = DibClipData(picture);
            ASSERT_TRUE(ReadDibClipData(dib.data(), dib.size(), back));
            EXPECT_TRUE(Same(held.pixels, back.pixels, true)) << "32 bits go out as 24";
            EXPECT_EQ(back.resolutionY, 3780.0f);
            const auto v5 = DibV5ClipData(picture);
            ASSERT_TRUE(ReadDibClipData(v5.data(), v5.size(), back));
            EXPECT_TRUE(Same(held.pixels, back.pixels)) << "the version 5 form keeps alpha";
            const auto bmp = BmpFileData(picture);
            ASSERT_TRUE(ReadBmpFileData(bmp.data(), bmp.size(), back));
            EXPECT_TRUE(Same(held.pixels, back.pixels));
        }
    }
}

TEST(ClipboardFormats, HeadersAndRowsAsOtherProgramsRead) {
    const ClipPicture grey = Source(5, 2).picture(8);
    const auto dib = DibClipData(grey);
    EXPECT_EQ(U32(dib, 0), 40u);
    EXPECT_EQ(U32(dib, 8), 2u) << "positive height: bottom-up";
    EXPECT_EQ(U32(dib, 32), 256u);
    EXPECT_EQ(U32(dib, 40 + 4 * 77), 0x004D4D4Du) << "a grey table";
    EXPECT_EQ(dib.size(), 40u + 1024u + 2u * 8u) << "rows padded to 4 bytes";
    EXPECT_EQ(dib[40 + 1024 + 8], grey.bytes[0]) << "the top row comes last";

    const auto v5 = DibV5ClipData(Source(2, 2).picture(32));
    EXPECT_EQ(U32(v5, 0), 124u);
    EXPECT_EQ(U32(v5, 16), 3u);
    EXPECT_EQ(U32(v5, 52), 0xFF000000u);
    EXPECT_EQ(U32(v5, 56), 0x73524742u);
    EXPECT_EQ(U32(v5, 108), 2u);
}

// A DIB in any form another program may put there: header, table, rows.
std::vector<std::uint8_t> Dib(std::uint32_t header, std::int32_t width, std::int32_t height,
                              unsigned bits, std::uint32_t compression,
                              std::vector<std::uint32_t> extra,
                              const std::vector<std::uint8_t>& rows) {
    std::vector<std::uint8_t> out(header, 0);
    const std::uint32_t fields[] = {header, static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(height), 1u | (bits << 16),
                                    compression};
    std::memcpy(out.data(), fields, sizeof fields);
    for (const std::uint32_t v : extra) // masks within the header or after it
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    if (header >= 56 && !extra.empty()) {
        for (std::size_t i = 0; i < extra.size() * 4; ++i)
            out[40 + i] = out[header + i];
        out.resize(header);
    }
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

TEST(ClipboardFormats, ForeignBitmapsDecodeThroughTheirMasks) {
    PastePicture p;
    // 5-6-5 bit fields after a short header, top-down.
    auto d = Dib(40, 2, -1, 16, 3, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0x00, 0x04});
    ASSERT_TRUE(ReadDibClipData(d.data(), d.size(), p));
    EXPECT_EQ(p.pixels.get(0, 0), MakeColor32(255, 0, 0, 255));
    EXPECT_EQ(p.pixels.get(1, 0), MakeColor32(0, 130, 0, 255)) << "32 of 63 scaled to 255";
    // 32 bits without masks are opaque, unless a long header names alpha.
    d = Dib(40, 1, 1, 32, 0, {}, {1, 2, 3, 4});
    ASSERT_TRUE(ReadDibClipData(d.data(), d.size(), p));
    EXPECT_EQ(p.pixels.get(0, 0), MakeColor32(3, 2, 1, 255));
    d = Dib(56, 1, 1, 32, 0, {0, 0, 0, 0xFF000000}, {1, 2, 3, 4});
    ASSERT_TRUE(ReadDibClipData(d.data(), d.size(), p));
    EXPECT_EQ(p.pixels.get(0, 0), MakeColor32(3, 2, 1, 4));
    // Unusual masks in a long header.
    d = Dib(124, 1, 1, 32, 3, {0xFF, 0xFF00, 0xFF0000, 0}, {1, 2, 3, 4});
    ASSERT_TRUE(ReadDibClipData(d.data(), d.size(), p));
    EXPECT_EQ(p.pixels.get(0, 0), MakeColor32(1, 2, 3, 255));
}

TEST(ClipboardFormats, WhatCannotBePastedIsRefused) {
    PastePicture p;
    const std::vector<std::uint8_t> rows(64, 0);
    for (const unsigned bits : {1u, 4u}) {
        const auto d = Dib(40, 4, 4, bits, 0, {}, rows);
        EXPECT_FALSE(ReadDibClipData(d.data(), d.size(), p)) << bits << " bits";
    }
    auto d = Dib(40, 4, 4, 24, 1, {}, rows); // run-length compressed
    EXPECT_FALSE(ReadDibClipData(d.data(), d.size(), p));
    d = Dib(40, 0x10000, 0x10000, 32, 0, {}, rows); // claims far more than it holds
    EXPECT_FALSE(ReadDibClipData(d.data(), d.size(), p));

    // Every cut of valid data fails cleanly.
    const ClipPicture picture = Source(3, 3).picture(8);
    const auto dib = DibClipData(picture);
    for (std::size_t cut = 0; cut < dib.size(); ++cut)
        ASSERT_FALSE(ReadDibClipData(dib.data(), cut, p)) << cut;
    auto priv = PrivateClipData(picture);
    priv[6] = 16;
    EXPECT_FALSE(ReadPrivateClipData(priv.data(), priv.size(), p)) << "16 bits are not ours";
}

} // namespace
} // namespace kv::test
