#include "model/Palette.h"
#include "model/PaletteLookupTree.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace kv {
namespace {

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

Color32 RandomOpaque(std::mt19937& rng, unsigned spread) {
    std::uniform_int_distribution<unsigned> channel(0, spread);
    return MakeColor32(channel(rng), channel(rng), channel(rng), 255);
}

// The planes only let an entry cross to the other side when it is the
// nearest to its own projection onto the plane, so a color far from every
// entry can end on one that is a little farther than the nearest. The check
// therefore asks for the nearest entry in all but a small share of the
// probes, and for a bounded excess in the rest; a wrong plane side or a lost
// entry misses far more often and by far more.
TEST(PaletteLookup, RandomPalettesAnswerANearestEntry) {
    std::mt19937 rng(20261205);
    const unsigned spreads[] = {255, 63, 15, 3};
    const int sizes[] = {2, 3, 7, 16, 64, 256};
    int probes = 0, misses = 0;
    for (unsigned spread : spreads) {
        for (int size : sizes) {
            for (int trial = 0; trial < 6; ++trial) {
                std::vector<Color32> colors;
                for (int i = 0; i < size; ++i)
                    colors.push_back(RandomOpaque(rng, spread));
                Palette palette;
                Fill(palette, colors);
                for (int probe = 0; probe < 400; ++probe) {
                    const Color32 c = RandomOpaque(rng, std::min(255u, spread + 8));
                    const std::int32_t found = palette.lookup(c);
                    ASSERT_GE(found, 0);
                    ASSERT_LT(found, size);
                    const std::int64_t got = Distance2(colors[static_cast<std::size_t>(found)], c);
                    const std::int64_t best = NearestDistance2(colors, c);
                    ++probes;
                    if (got == best) continue;
                    ++misses;
                    ASSERT_NE(size, 2) << "one plane between two entries is exact";
                    ASSERT_LE(got, best * 9 / 4 + 2) // 1.5 times the distance
                        << "spread " << spread << " size " << size << " color " << std::hex << c;
                }
            }
        }
    }
    EXPECT_LT(misses * 20, probes) << misses << " of " << probes << " not nearest";
}

// The fixed palettes are small and regular: every color finds its nearest.
TEST(PaletteLookup, StandardPalettesAreExactOnAColorGrid) {
    for (StandardPalette which : {StandardPalette::BlackAndWhite, StandardPalette::Colors16}) {
        Palette palette;
        palette.setStandard(which);
        std::vector<Color32> colors;
        for (std::int32_t i = 0; i < palette.count(); ++i)
            colors.push_back(palette.entry(i).color());
        for (unsigned r = 0; r < 256; r += 5)
            for (unsigned g = 0; g < 256; g += 3)
                for (unsigned b = 1; b < 256; b += 7) {
                    const Color32 c = MakeColor32(r, g, b, 200);
                    const std::int32_t found = palette.lookup(c);
                    ASSERT_EQ(Distance2(colors[static_cast<std::size_t>(found)], c),
                              NearestDistance2(colors, c))
                        << r << "," << g << "," << b;
                }
    }
}

// Every entry must be found for its own color, also in dense palettes.
TEST(PaletteLookup, EveryEntryMapsToItself) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<Color32> colors;
        for (int i = 0; i < 256; ++i)
            colors.push_back(RandomOpaque(rng, trial % 2 ? 255 : 31));
        Palette palette;
        Fill(palette, colors);
        for (std::size_t i = 0; i < colors.size(); ++i)
            ASSERT_EQ(colors[static_cast<std::size_t>(palette.lookup(colors[i]))] & 0xFFFFFF,
                      colors[i] & 0xFFFFFF);
    }
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
    // half-transparent entry still counts as opaque.
    Fill(palette, {MakeColor32(10, 20, 30, 0), MakeColor32(200, 0, 0, 1), MakeColor32(0, 0, 0, 0),
                   MakeColor32(0, 255, 0, 255)});
    EXPECT_EQ(palette.lookup(MakeColor32(10, 20, 30, 0)), 2);
    EXPECT_EQ(palette.transparentIndex(), 2);
    EXPECT_EQ(palette.lookup(MakeColor32(10, 20, 30, 255)), 1);
    EXPECT_EQ(palette.lookup(MakeColor32(0, 250, 0, 255)), 3);
}

TEST(PaletteLookup, EqualColorsAnswerTheLowestIndex) {
    Palette palette;
    const Color32 teal = MakeColor32(0, 128, 128, 255);
    Fill(palette, {MakeColor32(255, 255, 255, 255), teal, MakeColor32(0, 0, 0, 255),
                   MakeColor32(0, 128, 128, 40), teal});
    EXPECT_EQ(palette.lookup(teal), 1);
    EXPECT_EQ(palette.lookup(MakeColor32(0, 120, 130, 255)), 1);
    EXPECT_EQ(palette.lookup(MakeColor32(250, 250, 250, 255)), 0);
}

TEST(PaletteLookup, AnyChangeRebuildsOnTheNextLookup) {
    Palette palette;
    Fill(palette, {MakeColor32(0, 0, 0, 255), MakeColor32(255, 255, 255, 255)});
    const Color32 darkRed = MakeColor32(100, 0, 0, 255);
    EXPECT_EQ(palette.lookup(darkRed), 0);
    EXPECT_TRUE(palette.lookupBuilt());

    palette.entry(1).setR(90); // white becomes (90, 255, 255): still farther
    EXPECT_FALSE(palette.lookupBuilt());
    EXPECT_EQ(palette.lookup(darkRed), 0);
    palette.entry(1).setArgb(255, 100, 10, 0);
    EXPECT_EQ(palette.lookup(darkRed), 1);
    palette.entry(0).setA(0); // black now only stands for transparency
    EXPECT_EQ(palette.lookup(MakeColor32(0, 0, 0, 255)), 1);
    EXPECT_EQ(palette.lookup(MakeColor32(0, 0, 0, 100)), 0);

    ASSERT_TRUE(palette.setCount(3));
    EXPECT_FALSE(palette.lookupBuilt());
    palette.lookup(darkRed);
    palette.discardLookup();
    EXPECT_FALSE(palette.lookupBuilt());
    EXPECT_EQ(palette.transparentIndex(), -1);
}

} // namespace
} // namespace kv
