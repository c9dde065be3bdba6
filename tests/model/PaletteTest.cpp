#include "model/Palette.h"
#include "model/Image.h"
#include "model/Project.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

struct CapacityStep {
    std::int32_t from, to;
    std::int32_t capacity;
    bool colorsKept;
};

// Counts walked in sequence on one palette; the first row starts empty.
TEST(Palette, CapacityDoublesAndHalvesAndOnlyANewArrayLosesColors) {
    const CapacityStep steps[] = {
        {0, 3, 4, false},     {3, 4, 4, true},       {4, 5, 8, false},     {5, 2, 8, true},
        {2, 1, 4, false},     {1, 0, 0, false},      {0, 256, 256, false}, {256, 64, 256, true},
        {64, 63, 128, false}, {63, 257, 512, false},
    };
    Palette palette;
    for (const CapacityStep& step : steps) {
        ASSERT_EQ(palette.count(), step.from);
        for (std::int32_t i = 0; i < palette.count(); ++i)
            palette.entry(i).setArgb(7, 1, 2, 3);
        ASSERT_TRUE(palette.setCount(step.to));
        EXPECT_EQ(palette.count(), step.to);
        EXPECT_EQ(palette.capacity(), step.capacity) << step.from << " -> " << step.to;
        for (std::int32_t i = 0; i < palette.capacity(); ++i) {
            const PaletteEntry& e = palette.entry(i);
            EXPECT_EQ(e.owner(), &palette);
            EXPECT_EQ(e.index(), i);
            if (i < std::min(step.from, step.to)) {
                const Color32 expected =
                    step.colorsKept ? MakeColor32(1, 2, 3, 7) : MakeColor32(0, 0, 0, 255);
                EXPECT_EQ(e.color(), expected) << step.from << " -> " << step.to << " #" << i;
            }
        }
    }
}

TEST(Palette, ImpossibleCountsAreRefusedAndChangeNothing) {
    test::CapturingReporter reporter;
    Palette palette;
    ASSERT_TRUE(palette.setCount(3));
    palette.entry(2).setR(77);
    EXPECT_FALSE(palette.setCount(Palette::kMaxCapacity + 1));
    EXPECT_FALSE(palette.setCount(-1));
    EXPECT_EQ(palette.count(), 3);
    EXPECT_EQ(palette.capacity(), 4);
    EXPECT_EQ(palette.entry(2).r(), 77);
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"Palette array allocation failed",
                                                           "Palette array allocation failed"}));
}

TEST(Palette, ComponentsStopAt255) {
    Palette palette;
    ASSERT_TRUE(palette.setCount(1));
    palette.entry(0).setArgb(300, 256, 255, 1000);
    EXPECT_EQ(palette.entry(0).color(), MakeColor32(255, 255, 255, 255));
    PaletteEntry loose; // no owner to tell
    loose.setA(999);
    EXPECT_EQ(loose.color(), MakeColor32(0, 0, 0, 255));
}

// Gray comes before silver; everything is opaque. Two-color lookups are
// checked on a grid with the lookup tests.
TEST(Palette, SixteenStandardColors) {
    Palette palette;
    palette.setStandard(StandardPalette::Colors16);
    ASSERT_EQ(palette.count(), 16);
    EXPECT_EQ(palette.entry(7).color(), MakeColor32(128, 128, 128, 255));
    EXPECT_EQ(palette.entry(8).color(), MakeColor32(192, 192, 192, 255));
    EXPECT_EQ(palette.entry(13).color(), MakeColor32(255, 0, 255, 255));
    for (std::int32_t i = 0; i < 16; ++i)
        EXPECT_EQ(palette.entry(i).a(), 255);
}

TEST(Palette, SwitchingTheCurrentImageDropsTheOldLookup) {
    Project project;
    Image* first = project.addImage(std::make_unique<Image>());
    Image* second = project.addImage(std::make_unique<Image>());
    first->setSize(2, 2);
    first->setTargetFormat(TargetFormat::Palette4);
    second->setTargetFormat(TargetFormat::Rgba32); // no palette at all
    project.setCurrentImage(first);
    first->palette()->lookup(MakeColor32(1, 2, 3, 255));
    ASSERT_TRUE(first->palette()->lookupBuilt());
    project.setCurrentImage(second);
    EXPECT_FALSE(first->palette()->lookupBuilt());
    project.setCurrentImage(first);
    project.setCurrentImage(nullptr);
    EXPECT_EQ(project.currentImage(), nullptr);
}

} // namespace
} // namespace kv
