#include "model/Palette.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/PaletteLookupTree.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace kv {
namespace {

TEST(Palette, ImpossibleCountsAreRefusedAndComponentsStopAt255) {
    test::CapturingReporter reporter;
    Palette palette;
    ASSERT_TRUE(palette.setCount(3));
    palette.entry(2).setArgb(300, 256, 77, 1000);
    EXPECT_FALSE(palette.setCount(Palette::kMaxCapacity + 1));
    EXPECT_FALSE(palette.setCount(-1));
    EXPECT_EQ(palette.count(), 3);
    EXPECT_EQ(palette.capacity(), 4);
    EXPECT_EQ(palette.entry(2).color(), MakeColor32(255, 77, 255, 255));
    EXPECT_EQ(reporter.messages.size(), 2u);
    PaletteEntry loose; // no owner to tell
    loose.setA(999);
    EXPECT_EQ(loose.color(), MakeColor32(0, 0, 0, 255));
}

std::int64_t Distance2(Color32 a, Color32 b) {
    const std::int64_t dr = std::int64_t{RedOf(a)} - RedOf(b);
    const std::int64_t dg = std::int64_t{GreenOf(a)} - GreenOf(b);
    const std::int64_t db = std::int64_t{BlueOf(a)} - BlueOf(b);
    return dr * dr + dg * dg + db * db;
}

// Smallest squared distance from `c` to any opaque entry.
std::int64_t NearestDistance2(const std::vector<Color32>& entries, Color32 c) {
    std::int64_t best = INT64_MAX;
    for (Color32 e : entries)
        if (AlphaOf(e) != 0) best = std::min(best, Distance2(e, c));
    return best;
}

void Fill(Palette& palette, const std::vector<Color32>& colors) {
    ASSERT_TRUE(palette.setCount(static_cast<std::int32_t>(colors.size())));
    for (std::size_t i = 0; i < colors.size(); ++i)
        palette.entry(static_cast<std::int32_t>(i)).setColor(colors[i]);
}

std::vector<Color32> RandomOpaque(std::mt19937& rng, unsigned spread, int n) {
    std::uniform_int_distribution<unsigned> channel(0, spread);
    std::vector<Color32> colors;
    while (n-- > 0)
        colors.push_back(MakeColor32(channel(rng), channel(rng), channel(rng), 255));
    return colors;
}

// The planes only let an entry cross to the other side when it is the
// nearest to its own projection onto the plane, so a color far from every
// entry can end on one that is a little farther than the nearest. The check
// therefore asks for the nearest entry in all but a small share of the
// probes, and for a bounded excess in the rest; a wrong plane side or a lost
// entry misses far more often and by far more. Every entry must be found for
// its own color, also in dense palettes.
TEST(PaletteLookup, RandomPalettesAnswerANearestEntry) {
    std::mt19937 rng(20261205);
    int probes = 0, misses = 0;
    for (unsigned spread : {255u, 63u, 15u, 3u})
        for (int size : {2, 3, 7, 16, 64, 256})
            for (int trial = 0; trial < 6; ++trial) {
                SCOPED_TRACE(::testing::Message() << "spread " << spread << " size " << size);
                const std::vector<Color32> colors = RandomOpaque(rng, spread, size);
                Palette palette;
                Fill(palette, colors);
                for (Color32 c : colors)
                    ASSERT_EQ(colors[static_cast<std::size_t>(palette.lookup(c))], c);
                for (Color32 c : RandomOpaque(rng, std::min(255u, spread + 8), 400)) {
                    const std::int32_t found = palette.lookup(c);
                    ASSERT_GE(found, 0);
                    ASSERT_LT(found, size);
                    const std::int64_t got = Distance2(colors[static_cast<std::size_t>(found)], c);
                    const std::int64_t best = NearestDistance2(colors, c);
                    ++probes;
                    if (got == best) continue;
                    ++misses;
                    ASSERT_NE(size, 2) << "one plane between two entries is exact";
                    ASSERT_LE(got, best * 9 / 4 + 2) << std::hex << c; // 1.5 times the distance
                }
            }
    EXPECT_LT(misses * 20, probes) << misses << " of " << probes << " not nearest";
}

TEST(PaletteLookup, TransparencyDecidedByAlphaAlone) {
    Palette palette;
    EXPECT_EQ(palette.lookup(MakeColor32(1, 2, 3, 255)), -1) << "no entries at all";
    Fill(palette, {0});
    EXPECT_EQ(palette.lookup(MakeColor32(1, 2, 3, 255)), -1) << "only a transparent entry";
    Fill(palette, {MakeColor32(10, 20, 30, 255), MakeColor32(200, 0, 0, 255)});
    // Without an alpha-0 entry, translucent pixels have nowhere to go.
    EXPECT_EQ(palette.lookup(MakeColor32(10, 20, 30, 127)), -1);
    EXPECT_EQ(palette.lookup(MakeColor32(10, 20, 30, 128)), 0);
    EXPECT_EQ(palette.lookup(MakeColor32(190, 0, 0, 128)), 1);

    // Alpha-0 entries only serve transparency; the last of them wins, and a
    // half-transparent entry still counts as opaque. Of equal colors the
    // lowest index answers.
    const Color32 green = MakeColor32(0, 255, 0, 255);
    Fill(palette, {MakeColor32(10, 20, 30, 0), MakeColor32(200, 0, 0, 1), MakeColor32(0, 0, 0, 0),
                   green, MakeColor32(200, 0, 0, 255), green});
    EXPECT_EQ(palette.lookup(MakeColor32(10, 20, 30, 0)), 2);
    EXPECT_EQ(palette.transparentIndex(), 2);
    EXPECT_EQ(palette.lookup(MakeColor32(10, 20, 30, 255)), 1);
    EXPECT_EQ(palette.lookup(green), 3);
    EXPECT_EQ(palette.lookup(MakeColor32(0, 250, 0, 255)), 3);
}

TEST(PaletteLookup, AnyChangeRebuildsOnTheNextLookup) {
    Palette palette;
    Fill(palette, {MakeColor32(0, 0, 0, 255), MakeColor32(255, 255, 255, 255)});
    const Color32 darkRed = MakeColor32(100, 0, 0, 255);
    EXPECT_EQ(palette.lookup(darkRed), 0);
    palette.entry(1).setR(90); // white becomes (90, 255, 255): still farther
    EXPECT_EQ(palette.lookup(darkRed), 0);
    palette.entry(1).setArgb(255, 100, 10, 0);
    EXPECT_EQ(palette.lookup(darkRed), 1);
    palette.entry(0).setA(0); // black now only stands for transparency
    EXPECT_EQ(palette.lookup(MakeColor32(0, 0, 0, 255)), 1);
    EXPECT_EQ(palette.lookup(MakeColor32(0, 0, 0, 100)), 0);
}

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
    EXPECT_EQ(preview(0, 0), kWhite);
    EXPECT_EQ(preview(5, 5), MakeColor32(40, 40, 200, 255));

    image.setTargetFormat(TargetFormat::Palette4);
    EXPECT_TRUE(image.paletteLocked());
    colors = PaletteColors(image);
    ASSERT_EQ(colors.size(), 16u);
    // (200, 40, 40) is nearest to red; (30, 30, 30) to black.
    EXPECT_EQ(preview(4, 0), MakeColor32(255, 0, 0, 255));
    EXPECT_EQ(preview(2, 0), kBlack);
    image.update(); // an update keeps the fixed colors
    EXPECT_EQ(image.palette()->count(), 16);

    image.setTargetFormat(TargetFormat::Mono);
    EXPECT_TRUE(image.paletteLocked());
    EXPECT_EQ(PaletteColors(image), (std::vector<Color32>{kBlack, kWhite}));

    image.setTargetFormat(TargetFormat::Rgba32);
    EXPECT_EQ(image.palette(), nullptr);
}

} // namespace
} // namespace kv
