#include "model/Image.h"
#include "model/Layer.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kv {
namespace {

using PixelFn = std::function<Color32(std::int32_t, std::int32_t)>;
constexpr Color32 kWhite = MakeColor32(255, 255, 255, 255), kDark = MakeColor32(30, 30, 30, 255);

// An image with one visible layer. The picture is written into the layer and
// into the composite alike, so it holds whether or not the update flattens.
class PaletteImage : public ::testing::Test {
  protected:
    void SetUp() override {
        image.setSize(8, 6);
        layer = image.insertLayer(std::make_unique<Layer>());
        paint(kFourColors);
    }

    void paint(const PixelFn& pixel, bool withUpdate = true) {
        for (std::int32_t y = 0; y < image.height(); ++y)
            for (std::int32_t x = 0; x < image.width(); ++x) {
                layer->pixels().set(x, y, pixel(x, y));
                image.composite().set(x, y, pixel(x, y));
            }
        if (withUpdate) image.update();
    }
    void paint(Color32 color, bool withUpdate = true) {
        paint([=](auto, auto) { return color; }, withUpdate);
    }

    std::vector<Color32> paletteColors() const {
        std::vector<Color32> colors;
        for (std::int32_t i = 0; i < image.palette()->count(); ++i)
            colors.push_back(image.palette()->entry(i).color());
        return colors;
    }
    Color32 preview(std::int32_t x, std::int32_t y) const {
        return image.targetPreview()->get(x, y);
    }

    // Every preview pixel is the palette color the lookup picks, or 0.
    void expectPreviewFollowsLookup() {
        ASSERT_NE(image.targetPreview(), nullptr);
        Palette& palette = *image.palette();
        for (std::int32_t y = 0; y < image.height(); ++y)
            for (std::int32_t x = 0; x < image.width(); ++x) {
                const std::int32_t index = palette.lookup(image.composite().get(x, y));
                ASSERT_EQ(preview(x, y), index < 0 ? 0 : palette.entry(index).color())
                    << x << "," << y;
            }
    }

    static Color32 kFourColors(std::int32_t x, std::int32_t y) {
        if (x < 4) return x < 2 ? kWhite : kDark;
        return y < 3 ? MakeColor32(200, 40, 40, 255) : MakeColor32(40, 40, 200, 255);
    }

    Image image;
    LayerBase* layer = nullptr;
};

TEST_F(PaletteImage, EightBitGeneratesOrdersAndPreviewsAfterTheUpdateLock) {
    image.lockUpdates();
    image.setTargetFormat(TargetFormat::Palette8);
    EXPECT_EQ(image.palette()->count(), 0);
    image.unlockUpdates();
    EXPECT_FALSE(image.paletteLocked());
    const std::vector<Color32> colors = paletteColors();
    ASSERT_EQ(colors.size(), 4u);
    EXPECT_EQ(colors.front(), kDark); // darkest first
    EXPECT_EQ(colors.back(), kWhite);
    expectPreviewFollowsLookup();
    EXPECT_EQ(preview(5, 5), MakeColor32(40, 40, 200, 255));
}

TEST_F(PaletteImage, UnlockedPaletteFollowsEveryUpdate) {
    image.setTargetFormat(TargetFormat::Palette8);
    paint([](std::int32_t x, std::int32_t) {
        return x % 2 ? MakeColor32(0, 90, 0, 255) : MakeColor32(0, 0, 0, 20);
    });
    EXPECT_EQ(paletteColors(), (std::vector<Color32>{MakeColor32(0, 90, 0, 255), 0}));
    EXPECT_EQ(preview(0, 0), 0u);
    EXPECT_EQ(preview(1, 0), MakeColor32(0, 90, 0, 255));
    paint(MakeColor32(9, 9, 9, 127));
    EXPECT_EQ(paletteColors(), (std::vector<Color32>{0}));
    expectPreviewFollowsLookup();
    EXPECT_EQ(preview(3, 3), 0u);
}

TEST_F(PaletteImage, LockedPaletteStaysUntilUnlockedAndStoredOptionRerenders) {
    image.setTargetFormat(TargetFormat::Palette8);
    image.setPaletteLocked(true);
    // Behind the image's back: only a re-render shows it, nearest to the dark entry.
    paint(MakeColor32(20, 20, 20, 255), false);
    EXPECT_EQ(preview(0, 0), kWhite);
    image.setStoredOption(true);
    EXPECT_EQ(preview(0, 0), kDark);

    paint(MakeColor32(250, 250, 240, 255));
    ASSERT_EQ(paletteColors().size(), 4u);
    EXPECT_EQ(preview(0, 0), kWhite); // the old palette still maps the new picture
    image.setPaletteLocked(false);
    EXPECT_EQ(paletteColors(), (std::vector<Color32>{MakeColor32(250, 250, 240, 255)}));
    EXPECT_EQ(preview(7, 5), MakeColor32(250, 250, 240, 255));
}

TEST_F(PaletteImage, FixedPalettesAreLockedUntilUnlockedOrLeft) {
    image.setTargetFormat(TargetFormat::Palette8);
    image.setTargetFormat(TargetFormat::Palette4);
    EXPECT_TRUE(image.paletteLocked());
    ASSERT_EQ(image.palette()->count(), 16);
    // Gray comes before silver; every entry is opaque.
    EXPECT_EQ(image.palette()->entry(7).color(), MakeColor32(128, 128, 128, 255));
    EXPECT_EQ(image.palette()->entry(8).color(), MakeColor32(192, 192, 192, 255));
    EXPECT_EQ(image.palette()->entry(13).color(), MakeColor32(255, 0, 255, 255));
    for (Color32 c : paletteColors())
        EXPECT_EQ(AlphaOf(c), 255u);
    // (200, 40, 40) is nearest to red; (30, 30, 30) to black.
    EXPECT_EQ(preview(4, 0), MakeColor32(255, 0, 0, 255));
    EXPECT_EQ(preview(2, 0), MakeColor32(0, 0, 0, 255));
    paint(kFourColors); // an update keeps the fixed colors
    EXPECT_EQ(image.palette()->count(), 16);

    image.setTargetFormat(TargetFormat::Mono);
    EXPECT_TRUE(image.paletteLocked());
    EXPECT_EQ(paletteColors(), (std::vector<Color32>{MakeColor32(0, 0, 0, 255), kWhite}));
    expectPreviewFollowsLookup();
    image.setTargetFormat(TargetFormat::Palette8);
    EXPECT_FALSE(image.paletteLocked());
    EXPECT_EQ(paletteColors().size(), 4u);

    // Unlocking a fixed palette quantizes to its size.
    paint([](std::int32_t x, std::int32_t y) {
        return MakeColor32(static_cast<unsigned>(x) * 30, static_cast<unsigned>(y) * 40, 0, 255);
    });
    image.setTargetFormat(TargetFormat::Mono);
    image.setPaletteLocked(false);
    EXPECT_EQ(image.palette()->count(), 2);
    image.setTargetFormat(TargetFormat::Palette4);
    image.setPaletteLocked(false);
    EXPECT_EQ(image.palette()->count(), 16);
    expectPreviewFollowsLookup();
}

TEST_F(PaletteImage, LeavingPaletteFormatsDropsThePalette) {
    image.setTargetFormat(TargetFormat::Palette8);
    image.setTargetFormat(TargetFormat::Rgb24);
    EXPECT_EQ(image.palette(), nullptr);
    ASSERT_NE(image.targetPreview(), nullptr);
    image.setTargetFormat(TargetFormat::Rgba32);
    EXPECT_EQ(image.targetPreview(), nullptr);
    test::CapturingReporter reporter;
    image.setTargetFormat(static_cast<TargetFormat>(0x20001));
    EXPECT_EQ(image.palette(), nullptr);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"Unsupported target format"});
}

} // namespace
} // namespace kv
