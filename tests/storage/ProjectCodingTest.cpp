#include "ProjectTestSupport.h"
#include "StreamTestSupport.h"

#include "storage/BitmapWriter.h"
#include "storage/PredictionEstimator.h"
#include "storage/Predictor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::test {
namespace {

PixelArray Pixels(std::int32_t w, std::int32_t h, std::initializer_list<Color32> values) {
    PixelArray p(w, h);
    auto it = values.begin();
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) p.set(x, y, *it++);
    return p;
}

TEST(Predictor, ResidualsOfEveryMethodInTileOrder) {
    // Worked by hand; tiles one pixel wide put the left column's rows first.
    const PixelArray p = Pixels(2, 2, {MakeColor32(10, 20, 30, 255), MakeColor32(15, 25, 35, 0),
                                       MakeColor32(12, 22, 32, 7), MakeColor32(20, 30, 40, 255)});
    const Bytes expected[Predictor::kMethodCount] = {
        {10, 20, 30, 12, 22, 32, 15, 25, 35, 20, 30, 40}, {10, 20, 30, 2, 2, 2, 5, 5, 5, 8, 8, 8},
        {10, 20, 30, 2, 2, 2, 5, 5, 5, 5, 5, 5},          {10, 20, 30, 2, 2, 2, 5, 5, 5, 7, 7, 7},
        {10, 20, 30, 2, 2, 2, 5, 5, 5, 5, 5, 5},          {10, 20, 30, 2, 2, 2, 5, 5, 5, 3, 3, 3},
    };
    for (int method = 0; method < Predictor::kMethodCount; ++method) {
        Bytes out;
        RgbPlaneBytes(p, 1, 0, method, out);
        EXPECT_EQ(out, expected[method]) << "method " << method;
    }
}

TEST(Predictor, ClampingPaethTiesAndWrapAround) {
    struct Case {
        int method;
        Color32 l, u, ul, pixel;
        Bytes residual; // of the lower right pixel
    };
    const Case cases[] = {
        {5, MakeColor32(250, 0, 9, 0), MakeColor32(250, 0, 9, 0), MakeColor32(0, 200, 9, 0),
         MakeColor32(255, 0, 9, 0), {0, 0, 0}},                    // clamped to 255 and to 0
        {4, MakeColor32(5, 5, 5, 0), MakeColor32(5, 5, 5, 0), MakeColor32(5, 5, 5, 0),
         MakeColor32(6, 6, 6, 0), {1, 1, 1}},                      // ties take the left pixel
        {4, MakeColor32(0, 0, 0, 0), MakeColor32(100, 100, 100, 0), MakeColor32(100, 100, 100, 0),
         MakeColor32(1, 1, 1, 0), {1, 1, 1}},                      // p = 0: the left pixel
        {1, MakeColor32(200, 0, 0, 0), 0, 0, MakeColor32(10, 0, 0, 0), {66, 0, 0}}, // modulo 256
    };
    for (const Case& c : cases) {
        const PixelArray p = Pixels(2, 2, {c.ul, c.u, c.l, c.pixel});
        std::uint8_t out[3];
        Predictor(c.method).encodeRow(p, 1, 1, 2, out);
        EXPECT_EQ(Bytes(out, out + 3), c.residual) << "method " << c.method;
        PixelArray decoded = Pixels(2, 2, {c.ul, c.u, c.l, 0xAB000000u});
        Predictor(c.method).decodeRow(decoded, 1, 1, 2, out);
        EXPECT_EQ(decoded.get(1, 1), (c.pixel & 0x00FFFFFFu) | 0xAB000000u) << "alpha untouched";
    }
}

double Estimate(const Bytes& bytes) {
    PredictionEstimator estimator;
    estimator.add(bytes.data(), bytes.size());
    return estimator.estimate();
}

TEST(PredictionEstimator, FarCandidatesAreNeverUsed) {
    // The same 300 bytes again after 5000 others: beyond the window, so no match is counted.
    Bytes motif = RandomBytes(300, 1);
    Bytes far = motif;
    Bytes filler = RandomBytes(5000, 2);
    far.insert(far.end(), filler.begin(), filler.end());
    far.insert(far.end(), motif.begin(), motif.end());
    Bytes near = motif;
    near.insert(near.end(), motif.begin(), motif.end());
    near.insert(near.end(), filler.begin(), filler.end());
    EXPECT_GT(Estimate(far), Estimate(near));
}

} // namespace
} // namespace kv::test
