#include "model/ColorSpaces.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

struct SpaceCase {
    float r, g, b;
    float hsv[3];
    float hsl[3];
};

TEST(ColorSpaces, ReferenceColorsInHsvAndHsl) {
    const SpaceCase cases[] = {
        // Pure red has G as its minimum, so its HSV hue is a full turn.
        {1, 0, 0, {1, 1, 1}, {0, 1, 0.5f}},
        {0, 1, 0, {1.0f / 3, 1, 1}, {1.0f / 3, 1, 0.5f}},
        {0, 0, 1, {2.0f / 3, 1, 1}, {2.0f / 3, 1, 0.5f}},
        {0.5f, 0.5f, 0.5f, {0, 0, 0.5f}, {0, 0, 0.5f}},
        {0, 0, 0, {0, 0, 0}, {0, 0, 0}},
        {1, 1, 0, {1.0f / 6, 1, 1}, {1.0f / 6, 1, 0.5f}},
        {1, 0, 0.5f, {11.0f / 12, 1, 1}, {11.0f / 12, 1, 0.5f}},
        {0.2f, 0.4f, 0.8f, {0.6111111f, 0.75f, 0.8f}, {0.6111111f, 0.6f, 0.5f}},
        {0.9f, 0.8f, 0.7f, {1.0f / 12, 0.2222222f, 0.9f}, {1.0f / 12, 0.5f, 0.8f}},
    };
    for (const SpaceCase& c : cases) {
        ColorSpaceValue hsv{c.r, c.g, c.b};
        RgbToHsv(hsv);
        EXPECT_NEAR(hsv.c1, c.hsv[0], 1e-6) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(hsv.c2, c.hsv[1], 1e-6) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(hsv.c3, c.hsv[2], 1e-6) << c.r << "," << c.g << "," << c.b;
        ColorSpaceValue hsl{c.r, c.g, c.b};
        RgbToHsl(hsl);
        EXPECT_NEAR(hsl.c1, c.hsl[0], 1e-6) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(hsl.c2, c.hsl[1], 1e-6) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(hsl.c3, c.hsl[2], 1e-6) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(ColorSpaces, FullTurnHueWorksAsZero) {
    for (float h : {0.0f, 1.0f}) {
        ColorSpaceValue hsv{0, 0, 0, h, 1, 1};
        HsvToRgb(hsv);
        EXPECT_FLOAT_EQ(hsv.r, 1);
        EXPECT_FLOAT_EQ(hsv.g, 0);
        EXPECT_FLOAT_EQ(hsv.b, 0);
        ColorSpaceValue hsl{0, 0, 0, h, 1, 0.5f};
        HslToRgb(hsl);
        EXPECT_FLOAT_EQ(hsl.r, 1);
        EXPECT_FLOAT_EQ(hsl.g, 0);
        EXPECT_FLOAT_EQ(hsl.b, 0);
    }
}

TEST(ColorSpaces, GraysAndBlackInverseConversions) {
    ColorSpaceValue v{9, 9, 9, 0.3f, 0, 0.25f};
    HsvToRgb(v); // no saturation: gray of the value
    EXPECT_EQ(v.r, 0.25f);
    EXPECT_EQ(v.b, 0.25f);
    v = {9, 9, 9, 0.3f, 1, 0};
    HslToRgb(v); // no lightness: black whatever the saturation
    EXPECT_EQ(v.g, 0.0f);
    v = {9, 9, 9, 0.7f, 0, 0.6f};
    HslToRgb(v);
    EXPECT_FLOAT_EQ(v.r, 0.6f);
    EXPECT_FLOAT_EQ(v.g, 0.6f);
}

// Every 17th byte level per channel survives both round trips to within
// what the byte conversion can see.
TEST(ColorSpaces, ByteColorsRoundTrip) {
    for (unsigned r = 0; r < 256; r += 17)
        for (unsigned g = 0; g < 256; g += 17)
            for (unsigned b = 0; b < 256; b += 17) {
                const ColorSpaceValue original{ByteToUnit(r), ByteToUnit(g), ByteToUnit(b)};
                for (int space = 0; space < 2; ++space) {
                    ColorSpaceValue v = original;
                    space == 0 ? RgbToHsv(v) : RgbToHsl(v);
                    v.r = v.g = v.b = -1;
                    space == 0 ? HsvToRgb(v) : HslToRgb(v);
                    ASSERT_NEAR(v.r, original.r, 1e-5) << r << "," << g << "," << b;
                    ASSERT_NEAR(v.g, original.g, 1e-5) << r << "," << g << "," << b;
                    ASSERT_NEAR(v.b, original.b, 1e-5) << r << "," << g << "," << b;
                }
            }
}

TEST(ColorSpaces, LabEndsAndReferenceColors) {
    struct LabCase {
        unsigned r, g, b;
        float l, a, bb, tolerance;
    };
    const LabCase cases[] = {
        {0, 0, 0, 0, 0, 0, 1e-6f},
        {255, 255, 255, 100, 0, 0, 2e-4f},
        {128, 128, 128, 53.585f, 0, 0, 2e-2f},
        {255, 0, 0, 53.24f, 80.09f, 67.20f, 5e-2f},
        {0, 0, 255, 32.30f, 79.19f, -107.86f, 5e-2f},
    };
    for (const LabCase& c : cases) {
        ColorSpaceValue v{ByteToUnit(c.r), ByteToUnit(c.g), ByteToUnit(c.b)};
        RgbToLab(v);
        EXPECT_NEAR(v.c1, c.l, c.tolerance) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(v.c2, c.a, c.tolerance) << c.r << "," << c.g << "," << c.b;
        EXPECT_NEAR(v.c3, c.bb, c.tolerance) << c.r << "," << c.g << "," << c.b;
    }
}

// The two segments of the linearisation nearly meet, so the threshold shows
// only in the seventh decimal of Y (for grays Y is the linear value itself).
TEST(ColorSpaces, LinearSegmentEndsAt0_03928) {
    struct Step {
        float c, linear;
    };
    const Step steps[] = {
        {0.0392f, 0.0030340557f}, // c / 12.92
        {0.0393f, 0.0030410402f}, // ((c + 0.055) / 1.055)^2.4
        {0.0400f, 0.0030954996f},
    };
    for (const Step& step : steps) {
        ColorSpaceValue v{step.c, step.c, step.c};
        RgbToXyz(v);
        EXPECT_NEAR(v.c2, step.linear, 2e-8) << step.c;
    }
}

} // namespace
} // namespace kv
