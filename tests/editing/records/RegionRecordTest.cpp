// Capturing rectangles of pixel arrays: tile order and clipping.
#include "editing/records/RegionRecord.h"
#include "editing/history/ActionCoder.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace kv
