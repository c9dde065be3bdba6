#include "model/ColorSpaces.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

void ExpectNear3(float a, float b, float c, const float (&expected)[3], float tolerance) {
    EXPECT_NEAR(a, expected[0], tolerance);
    EXPECT_NEAR(b, expected[1], tolerance);
    EXPECT_NEAR(c, expected[2], tolerance);
}

TEST(ColorSpaces, ReferenceColorsInHsvAndHsl) {
    const struct {
        float rgb[3], hsv[3], hsl[3];
    } cases[] = {
        // Pure red has G as its minimum, so its HSV hue is a full turn.
        {{1, 0, 0}, {1, 1, 1}, {0, 1, 0.5f}},
        {{0, 1, 0}, {1.0f / 3, 1, 1}, {1.0f / 3, 1, 0.5f}},
        {{0, 0, 1}, {2.0f / 3, 1, 1}, {2.0f / 3, 1, 0.5f}},
        {{0.5f, 0.5f, 0.5f}, {0, 0, 0.5f}, {0, 0, 0.5f}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {{1, 1, 0}, {1.0f / 6, 1, 1}, {1.0f / 6, 1, 0.5f}},
        {{1, 0, 0.5f}, {11.0f / 12, 1, 1}, {11.0f / 12, 1, 0.5f}},
        {{0.2f, 0.4f, 0.8f}, {0.6111111f, 0.75f, 0.8f}, {0.6111111f, 0.6f, 0.5f}},
        {{0.9f, 0.8f, 0.7f}, {1.0f / 12, 0.2222222f, 0.9f}, {1.0f / 12, 0.5f, 0.8f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.rgb));
        ColorSpaceValue hsv{c.rgb[0], c.rgb[1], c.rgb[2]}, hsl = hsv;
        RgbToHsv(hsv);
        RgbToHsl(hsl);
        ExpectNear3(hsv.c1, hsv.c2, hsv.c3, c.hsv, 1e-6f);
        ExpectNear3(hsl.c1, hsl.c2, hsl.c3, c.hsl, 1e-6f);
    }
}

// Every 17th byte level per channel survives both round trips to within
// what the byte conversion can see.
TEST(ColorSpaces, ByteColorsRoundTrip) {
    for (unsigned r = 0; r < 256; r += 17)
        for (unsigned g = 0; g < 256; g += 17)
            for (unsigned b = 0; b < 256; b += 17)
                for (bool hsl : {false, true}) {
                    const ColorSpaceValue original{ByteToUnit(r), ByteToUnit(g), ByteToUnit(b)};
                    ColorSpaceValue v = original;
                    hsl ? RgbToHsl(v) : RgbToHsv(v);
                    v.r = v.g = v.b = -1;
                    hsl ? HslToRgb(v) : HsvToRgb(v);
                    SCOPED_TRACE(std::to_string(r * 65536 + g * 256 + b));
                    ExpectNear3(v.r, v.g, v.b, {original.r, original.g, original.b}, 1e-5f);
                    if (::testing::Test::HasFailure()) return;
                }
}

TEST(ColorSpaces, LabEndsAndReferenceColors) {
    const struct {
        unsigned r, g, b;
        float lab[3], tolerance;
    } cases[] = {
        {0, 0, 0, {0, 0, 0}, 1e-6f},
        {255, 255, 255, {100, 0, 0}, 2e-4f},
        {128, 128, 128, {53.585f, 0, 0}, 2e-2f},
        {255, 0, 0, {53.24f, 80.09f, 67.20f}, 5e-2f},
        {0, 0, 255, {32.30f, 79.19f, -107.86f}, 5e-2f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r * 65536 + c.g * 256 + c.b);
        ColorSpaceValue v{ByteToUnit(c.r), ByteToUnit(c.g), ByteToUnit(c.b)};
        RgbToLab(v);
        ExpectNear3(v.c1, v.c2, v.c3, c.lab, c.tolerance);
    }
}

} // namespace
} // namespace kv
