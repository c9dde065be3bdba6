// Icons and cursors written by the ICO and CUR plug-in through the host and
// read back by it: every target format at awkward sizes, projects of several
// images, hotspots and the PNG entry choice from the plug-in's settings.
#include "FormatTestSupport.h"
#include "IconLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kv {
namespace {

using test::Bytes;

struct Size {
    std::int32_t width, height;
};
const Size kSizes[] = {{1, 1}, {7, 5}, {8, 8}, {9, 3}, {16, 16}, {33, 17}, {256, 256}};
const TargetFormat kTargets[] = {TargetFormat::Rgba32, TargetFormat::Rgb24, TargetFormat::Palette8,
                                 TargetFormat::Palette4, TargetFormat::Mono};

// What an entry written for a target imports as: 24-bit targets are stored
// as 32 bits with alpha, PNG entries are 32-bit RGBA.
TargetFormat ImportedTarget(TargetFormat written, bool png) {
    if (png || written == TargetFormat::Rgb24) return TargetFormat::Rgba32;
    return written;
}

std::uint32_t StoredBits(TargetFormat target) {
    return target == TargetFormat::Rgb24 ? 32 : std::uint32_t(target) >> 16;
}

class IconRoundTrip : public ::testing::Test {
  protected:
    std::unique_ptr<Project> roundTrip(const Project& project, const std::string& name,
                                       const std::string& type = "ICO icon") {
        const std::string path = folder.file(name);
        std::string error;
        EXPECT_TRUE(folder.exportProject(project, path, type, &error)) << error;
        written = test::ReadBytes(path);
        test::ExpectWellFormedIcon(written, name);
        std::unique_ptr<Project> back = folder.import(path, &error);
        EXPECT_TRUE(back) << name << ": " << error;
        return back;
    }

    test::FormatHost folder;
    Bytes written;
};

TEST_F(IconRoundTrip, EveryTargetFormatAtAwkwardSizes) {
    for (const TargetFormat target : kTargets)
        for (const Size size : kSizes) {
            const std::string what = std::string(TargetFormatName(target)) + " " +
                                     std::to_string(size.width) + "x" + std::to_string(size.height);
            Project project;
            const Image* image = project.addImage(test::ImageOf(
                test::DrawnIcon(size.width, size.height, std::uint32_t(size.width)), target));
            const std::unique_ptr<Project> back = roundTrip(project, "t.ico");
            ASSERT_TRUE(back) << what;
            ASSERT_EQ(back->imageCount(), 1) << what;
            const bool png = size.width == 256;
            const test::IconLayout layout = test::ReadIconLayout(written);
            EXPECT_EQ(layout.entries[0].png, png) << what;
            EXPECT_EQ(layout.entries[0].bitCount, png ? 32 : StoredBits(target)) << what;
            const Image& imported = *back->firstImage();
            EXPECT_EQ(imported.targetFormat(), ImportedTarget(target, png)) << what;
            test::ExpectSameVisible(test::ExpectedPixels(*image), test::ImportedPixels(imported),
                                    what);
        }
}

TEST_F(IconRoundTrip, CursorHotspotsComeFromTheSettingsAndTheEnvironment) {
    Project project;
    project.addImage(test::ImageOf(test::DrawnIcon(32, 32, 1), TargetFormat::Rgba32));
    project.addImage(test::ImageOf(test::DrawnIcon(4, 4, 2), TargetFormat::Mono));
    const struct {
        const char* settings;
        const char* environment; // null: unset
        std::uint32_t x, y;      // for the 32 x 32 image; the 4 x 4 one is clamped
    } cases[] = {
        {"", nullptr, 0, 0},
        {"hotspot = 5, 7\n", nullptr, 5, 7},
        {"# comment\nhotspot=31,2 # trailing\n", nullptr, 31, 2},
        {"hotspot = 5, 7\n", "9,1", 9, 1},
        {"hotspot = nonsense\n", nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        folder.icoSettings(c.settings);
        if (c.environment)
            folder.setEnv("KORVANE_CUR_HOTSPOT", c.environment);
        else
            folder.unsetEnv("KORVANE_CUR_HOTSPOT");
        const std::unique_ptr<Project> back = roundTrip(project, "c.cur", "CUR cursor");
        ASSERT_TRUE(back) << c.settings;
        EXPECT_EQ(back->imageCount(), 2);
        const test::IconLayout layout = test::ReadIconLayout(written);
        EXPECT_EQ(layout.type, 2u);
        ASSERT_EQ(layout.entries.size(), 2u);
        EXPECT_EQ(layout.entries[0].planes, c.x) << c.settings;
        EXPECT_EQ(layout.entries[0].bitCount, c.y) << c.settings;
        EXPECT_EQ(layout.entries[1].planes, std::min(c.x, 3u)) << c.settings;
        EXPECT_EQ(layout.entries[1].bitCount, std::min(c.y, 3u)) << c.settings;
    }
}

TEST_F(IconRoundTrip, TheSettingsChooseWhichEntriesArePng) {
    Project project;
    project.addImage(test::ImageOf(test::DrawnIcon(16, 16, 1), TargetFormat::Palette8));
    project.addImage(test::ImageOf(test::DrawnIcon(256, 256, 2), TargetFormat::Rgba32));
    const struct {
        const char* settings;
        bool small, large;
    } cases[] = {{"", false, true},
                 {"png = 256\n", false, true},
                 {"png = none\n", false, false},
                 {"png = all\n", true, true}};
    for (const auto& c : cases) {
        folder.icoSettings(c.settings);
        const std::unique_ptr<Project> back = roundTrip(project, "p.ico");
        ASSERT_TRUE(back) << c.settings;
        const test::IconLayout layout = test::ReadIconLayout(written);
        ASSERT_EQ(layout.entries.size(), 2u);
        EXPECT_EQ(layout.entries[0].png, c.small) << c.settings;
        EXPECT_EQ(layout.entries[1].png, c.large) << c.settings;
        EXPECT_EQ(folder.describe(folder.file("p.ico")).find("256 x 256, 32 bpp, PNG") !=
                      std::string::npos,
                  c.large)
            << c.settings;
        for (std::int32_t i = 1; i <= 2; ++i)
            test::ExpectSameVisible(test::ExpectedPixels(*project.imageAt(std::uint32_t(i))),
                                    test::ImportedPixels(*back->imageAt(std::uint32_t(i))),
                                    c.settings);
    }
}

TEST_F(IconRoundTrip, WhollyTransparentAndWhollyOpaqueImages) {
    for (const TargetFormat target : {TargetFormat::Rgba32, TargetFormat::Rgb24}) {
        for (const Color32 color : {MakeColor32(10, 20, 30, 0), MakeColor32(10, 20, 30, 255)}) {
            PixelArray pixels(5, 3);
            pixels.fill(color);
            Project project;
            const Image* image = project.addImage(test::ImageOf(pixels, target));
            const std::unique_ptr<Project> back = roundTrip(project, "flat.ico");
            ASSERT_TRUE(back);
            test::ExpectSameVisible(test::ExpectedPixels(*image),
                                    test::ImportedPixels(*back->firstImage()), "flat");
        }
    }
}

} // namespace
} // namespace kv
