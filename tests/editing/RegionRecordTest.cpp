// Capturing rectangles of pixel arrays and masks, and writing them back.
#include "editing/RegionRecord.h"
#include "editing/ActionCoder.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kv {
namespace {

PixelArray NumberedPixels(std::int32_t w, std::int32_t h) {
    PixelArray a(w, h);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            a.set(x, y, static_cast<Color32>(y * 1000 + x) * 2654435761u);
    return a;
}

std::vector<std::uint8_t> Decoded(const RegionRecord& record) {
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(DecodeActionData(*record.data, out));
    return out;
}

void AppendPixels(std::vector<std::uint8_t>& out, const PixelArray& a, const Rect& r) {
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const Color32 c = a.get(x, y);
            for (int i = 0; i < 4; ++i) // blue, green, red, alpha
                out.push_back(static_cast<std::uint8_t>(c >> (8 * i)));
        }
}

TEST(CaptureRegion, OnePixelFeedsItsFourBytesInMemoryOrder) {
    PixelArray a(3, 3);
    a.fill(0);
    a.set(1, 2, MakeColor32(0x30, 0x20, 0x10, 0x40));
    const Rect r{1, 2, 2, 3};
    auto record = CaptureRegion(a, &r, nullptr);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->data->uncompressedSize(), 4u);
    EXPECT_EQ(Decoded(*record), (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 0x40}));
}

TEST(CaptureRegion, SixtyFiveSquareGoesInFourTilesInOrder) {
    const PixelArray a = NumberedPixels(70, 70);
    const Rect r{2, 3, 67, 68};
    auto record = CaptureRegion(a, &r, nullptr);
    ASSERT_TRUE(record);
    std::vector<std::uint8_t> expected;
    AppendPixels(expected, a, {2, 3, 66, 67});   // 64 x 64
    AppendPixels(expected, a, {66, 3, 67, 67});  // 1 x 64
    AppendPixels(expected, a, {2, 67, 66, 68});  // 64 x 1
    AppendPixels(expected, a, {66, 67, 67, 68}); // 1 x 1
    EXPECT_EQ(Decoded(*record), expected);
}

struct ClipCase {
    Rect rect;
    std::int32_t x, y, width, height;
};

TEST(CaptureRegion, RectangleIsClippedToTheArray) {
    const PixelArray a = NumberedPixels(10, 8);
    const ClipCase cases[] = {
        {{-5, -5, 3, 4}, 0, 0, 3, 4}, {{7, 6, 20, 20}, 7, 6, 3, 2},   {{12, 1, 15, 4}, 12, 1, 0, 3},
        {{2, 9, 5, 12}, 2, 9, 3, 0},  {{-9, -9, -2, -2}, 0, 0, 0, 0}, {{4, 4, 2, 2}, 4, 4, 0, 0},
    };
    for (const ClipCase& c : cases) {
        auto record = CaptureRegion(a, &c.rect, nullptr);
        ASSERT_TRUE(record);
        EXPECT_EQ((std::vector<std::int32_t>{record->x, record->y, record->width, record->height}),
                  (std::vector<std::int32_t>{c.x, c.y, c.width, c.height}))
            << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
        EXPECT_EQ(record->data->uncompressedSize(),
                  static_cast<std::uint32_t>(record->width * record->height * 4));
    }
}

TEST(RestoreRegion, DifferenceAddsForwardAndSubtractsBack) {
    const PixelArray before = NumberedPixels(90, 70);
    PixelArray after(90, 70);
    after.assign(before);
    std::mt19937 rng(5);
    for (int i = 0; i < 500; ++i)
        after.set(static_cast<std::int32_t>(10 + rng() % 70),
                  static_cast<std::int32_t>(5 + rng() % 60), rng());
    const Rect r{10, 5, 80, 65};
    auto diff = CaptureRegion(after, &r, &before);
    ASSERT_TRUE(diff);

    PixelArray work(90, 70);
    work.assign(before);
    ASSERT_TRUE(RestoreRegion(diff.get(), work, RestoreMode::Add));
    EXPECT_TRUE(work.sameContents(after));
    ASSERT_TRUE(RestoreRegion(diff.get(), work, RestoreMode::Subtract));
    EXPECT_TRUE(work.sameContents(before));

    auto plain = CaptureRegion(after, &r, nullptr);
    ASSERT_TRUE(RestoreRegion(plain.get(), work, RestoreMode::Write));
    EXPECT_TRUE(work.sameContents(after));
}

TEST(RestoreRegion, RefusesMissingDataAndTooSmallTargets) {
    const PixelArray a = NumberedPixels(20, 20);
    const Rect r{5, 5, 20, 20};
    auto record = CaptureRegion(a, &r, nullptr);
    ASSERT_TRUE(record);
    PixelArray small = NumberedPixels(19, 20);
    const PixelArray untouched = NumberedPixels(19, 20);
    EXPECT_FALSE(RestoreRegion(record.get(), small, RestoreMode::Write));
    EXPECT_TRUE(small.sameContents(untouched));
    EXPECT_FALSE(RestoreRegion(nullptr, small, RestoreMode::Write));
    record->data.reset();
    PixelArray big(20, 20);
    EXPECT_FALSE(RestoreRegion(record.get(), big, RestoreMode::Write));
}

TEST(CaptureMask, WholeMaskRoundTripsInEveryMode) {
    MaskArray before(70, 3), after(70, 3);
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 70; ++x) {
            before.set(x, y, static_cast<std::uint8_t>(x * 7 + y));
            after.set(x, y, static_cast<std::uint8_t>(255 - x));
        }
    auto diff = CaptureMask(after, &before);
    ASSERT_TRUE(diff);
    EXPECT_EQ(diff->x, 0);
    EXPECT_EQ(diff->width, 70);
    MaskArray work(70, 3);
    work.assign(before);
    ASSERT_TRUE(RestoreMask(diff.get(), work, RestoreMode::Add));
    EXPECT_TRUE(work.sameContents(after));
    ASSERT_TRUE(RestoreMask(diff.get(), work, RestoreMode::Subtract));
    EXPECT_TRUE(work.sameContents(before));
    MaskArray narrow(69, 3);
    EXPECT_FALSE(RestoreMask(diff.get(), narrow, RestoreMode::Write));
}

TEST(CaptureRegion, FailsWhileTheCoderIsBusy) {
    test::CapturingReporter reporter;
    ActionCoder& coder = ActionCoder::instance();
    coder.reset();
    ASSERT_TRUE(coder.begin());
    const PixelArray a = NumberedPixels(4, 4);
    EXPECT_EQ(CaptureRegion(a, nullptr, nullptr), nullptr);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Action data compression failed"});
    coder.reset();
    EXPECT_NE(CaptureRegion(a, nullptr, nullptr), nullptr);
}

} // namespace
} // namespace kv
