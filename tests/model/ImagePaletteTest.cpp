#include "model/Image.h"
#include "model/Layer.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <memory>

namespace kv {
namespace {

constexpr Color32 kWhite = MakeColor32(255, 255, 255, 255), kDark = MakeColor32(30, 30, 30, 255);
constexpr Color32 kBlack = MakeColor32(0, 0, 0, 255);

Color32 FourColors(std::int32_t x, std::int32_t y) {
    if (x < 4) return x < 2 ? kWhite : kDark;
    return y < 3 ? MakeColor32(200, 40, 40, 255) : MakeColor32(40, 40, 200, 255);
}

std::vector<Color32> PaletteColors(const Image& image) {
    std::vector<Color32> colors;
    for (std::int32_t i = 0; i < image.palette()->count(); ++i)
        colors.push_back(image.palette()->entry(i).color());
    return colors;
}

// Every preview pixel is the palette color the lookup picks, or 0.
void ExpectPreviewFollowsLookup(Image& image) {
    ASSERT_NE(image.targetPreview(), nullptr);
    Palette& palette = *image.palette();
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x) {
            const std::int32_t index = palette.lookup(image.composite().get(x, y));
            ASSERT_EQ(image.targetPreview()->get(x, y),
                      index < 0 ? 0 : palette.entry(index).color())
                << x << "," << y;
        }
}

// The 1- and 4-bit formats take locked standard palettes; 8 bits generate one
// from the picture, darkest first; other formats have none.
TEST(ImagePalette, FixedFormatsAreLockedStandardsAndEightBitsAreGenerated) {
    Image image;
    image.setSize(8, 6);
    LayerBase* layer = image.insertLayer(std::make_unique<Layer>());
    for (std::int32_t y = 0; y < image.height(); ++y)
        for (std::int32_t x = 0; x < image.width(); ++x)
            layer->pixels().set(x, y, FourColors(x, y));
    image.update();
    const auto preview = [&](std::int32_t x, std::int32_t y) {
        return image.targetPreview()->get(x, y);
    };

    image.setTargetFormat(TargetFormat::Palette8);
    EXPECT_FALSE(image.paletteLocked());
    std::vector<Color32> colors = PaletteColors(image);
    ASSERT_EQ(colors.size(), 4u);
    EXPECT_EQ(colors.front(), kDark);
    EXPECT_EQ(colors.back(), kWhite);
    ExpectPreviewFollowsLookup(image);
    EXPECT_EQ(preview(5, 5), MakeColor32(40, 40, 200, 255));

    image.setTargetFormat(TargetFormat::Palette4);
    EXPECT_TRUE(image.paletteLocked());
    colors = PaletteColors(image);
    ASSERT_EQ(colors.size(), 16u);
    // Gray comes before silver; every entry is opaque.
    EXPECT_EQ(colors[7], MakeColor32(128, 128, 128, 255));
    EXPECT_EQ(colors[8], MakeColor32(192, 192, 192, 255));
    EXPECT_EQ(colors[13], MakeColor32(255, 0, 255, 255));
    for (Color32 c : colors)
        EXPECT_EQ(AlphaOf(c), 255u);
    // (200, 40, 40) is nearest to red; (30, 30, 30) to black.
    EXPECT_EQ(preview(4, 0), MakeColor32(255, 0, 0, 255));
    EXPECT_EQ(preview(2, 0), kBlack);
    image.update(); // an update keeps the fixed colors
    EXPECT_EQ(image.palette()->count(), 16);

    image.setTargetFormat(TargetFormat::Mono);
    EXPECT_TRUE(image.paletteLocked());
    EXPECT_EQ(PaletteColors(image), (std::vector<Color32>{kBlack, kWhite}));
    ExpectPreviewFollowsLookup(image);

    image.setTargetFormat(TargetFormat::Rgba32);
    EXPECT_EQ(image.palette(), nullptr);
    test::CapturingReporter reporter;
    image.setTargetFormat(static_cast<TargetFormat>(0x20001));
    EXPECT_EQ(image.palette(), nullptr);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Unsupported target format"});
}

} // namespace
} // namespace kv
