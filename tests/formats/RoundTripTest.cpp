// Files written by the plug-ins through the host and read back by it: ICO,
// PNG and BMP of every target format at awkward sizes (the target format a
// file keeps tells which depth was written; ImageMagick judges the pixels in
// ExternalToolsTest), and the cursor hotspots and
// PNG entries the ICO plug-in's settings choose. What icon entries hold is
// read back through the plug-in's own description.
#include "ExternalTools.h"
#include "FormatTestSupport.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

struct Size {
    std::int32_t width, height;
};
const Size kSizes[] = {{1, 1}, {7, 5}, {8, 8}, {9, 3}, {16, 16}, {33, 17}, {256, 256}};
const TargetFormat kTargets[] = {TargetFormat::Rgba32, TargetFormat::Rgb24, TargetFormat::Palette8,
                                 TargetFormat::Palette4, TargetFormat::Mono};

class RoundTrip : public ::testing::Test {
  protected:
    std::unique_ptr<Project> roundTrip(const Project& project, const std::string& name,
                                       const std::string& type = "ICO icon") {
        const std::string path = folder.file(name);
        std::string error;
        EXPECT_TRUE(folder.exportProject(project, path, type, &error)) << error;
        description = folder.describe(path);
        std::unique_ptr<Project> back = folder.import(path, &error);
        EXPECT_TRUE(back) << name << ": " << error;
        return back;
    }

    test::FormatHost folder;
    std::string description; // of the file last written
};

TEST_F(RoundTrip, EveryFormatAndTargetFormatAtAwkwardSizes) {
    for (const TargetFormat target : kTargets)
        for (const Size size : kSizes) {
            const std::string what = std::string(TargetFormatName(target)) + " " +
                                     std::to_string(size.width) + "x" + std::to_string(size.height);
            Project project;
            Image* image = project.addImage(test::ImageOf(
                test::DrawnIcon(size.width, size.height, std::uint32_t(size.width)), target));
            image->setResolution(5905.0f, 2835.0f);
            const PixelArray expected = test::ExpectedPixels(*image);
            bool transparent = false;
            for (std::size_t i = 0; i < expected.pixelCount(); ++i)
                transparent = transparent || AlphaOf(expected.data()[i]) == 0;

            std::unique_ptr<Project> back = roundTrip(project, "t.ico");
            ASSERT_TRUE(back) << what;
            ASSERT_EQ(back->imageCount(), 1) << what;
            // 24-bit targets are stored as 32 bits with alpha, 256-pixel entries as PNG.
            const bool png = size.width == 256;
            const bool wide = png || target == TargetFormat::Rgb24;
            const std::string bits = wide ? "32" : std::to_string(std::uint32_t(target) >> 16);
            EXPECT_NE(description.find(", " + bits + " bpp" + (png ? ", PNG" : "")),
                      std::string::npos)
                << what << ": " << description;
            EXPECT_EQ(back->firstImage()->targetFormat(), wide ? TargetFormat::Rgba32 : target)
                << what;
            test::ExpectSameVisible(expected, back->firstImage()->composite(), what);

            // Two colors fill a mono palette: transparency needs RGBA. BMP
            // files are opaque below 32 bits.
            const bool mono = target == TargetFormat::Mono && transparent;
            back = roundTrip(project, "t.png", "PNG image");
            ASSERT_TRUE(back) << what;
            const Image& fromPng = *back->firstImage();
            EXPECT_EQ(fromPng.targetFormat(), mono ? TargetFormat::Rgba32 : target) << what;
            EXPECT_EQ(fromPng.horizontalResolution(), 5905.0f) << what << " PNG";
            EXPECT_EQ(fromPng.verticalResolution(), 2835.0f) << what << " PNG";
            test::ExpectSameVisible(expected, fromPng.composite(), what + " PNG");
            back = roundTrip(project, "t.bmp", "BMP image");
            ASSERT_TRUE(back) << what;
            const Image& fromBmp = *back->firstImage();
            EXPECT_EQ(fromBmp.targetFormat(), target) << what;
            EXPECT_EQ(fromBmp.verticalResolution(), 2835.0f) << what << " BMP";
            const PixelArray opaque = test::Opaque(expected);
            test::ExpectSameVisible(target == TargetFormat::Rgba32 ? expected : opaque,
                                    fromBmp.composite(), what + " BMP");
        }
}

TEST_F(RoundTrip, HotspotsAndPngEntriesComeFromTheSettingsAndTheEnvironment) {
    Project project;
    project.addImage(test::ImageOf(test::DrawnIcon(256, 256, 1), TargetFormat::Rgba32));
    project.addImage(test::ImageOf(test::DrawnIcon(4, 4, 2), TargetFormat::Palette8));
    const struct {
        const char* settings;
        const char* environment; // null: unset
        unsigned x, y;           // for the large image; the 4 x 4 one is clamped
        bool smallPng, largePng;
    } cases[] = {
        {"", nullptr, 0, 0, false, true},
        {"hotspot = 5, 7\npng = 256\n", nullptr, 5, 7, false, true},
        {"# comment\nhotspot=31,2 # trailing\npng = none\n", nullptr, 31, 2, false, false},
        {"hotspot = 5, 7\npng = all\n", "9,1", 9, 1, true, true},
        {"hotspot = nonsense\n", nullptr, 0, 0, false, true},
    };
    for (const auto& c : cases) {
        folder.icoSettings(c.settings);
        if (c.environment)
            folder.setEnv("KORVANE_CUR_HOTSPOT", c.environment);
        else
            folder.unsetEnv("KORVANE_CUR_HOTSPOT");
        const std::unique_ptr<Project> back = roundTrip(project, "c.cur", "CUR cursor");
        ASSERT_TRUE(back) << c.settings;
        const auto entry = [](bool png, unsigned x, unsigned y) {
            return std::string(png ? ", PNG" : "") + ", hotspot " + std::to_string(x) + ", " +
                   std::to_string(y);
        };
        EXPECT_EQ(description, "Cursor, 2 images\n256 x 256, 32 bpp" + entry(c.largePng, c.x, c.y) +
                                   "\n4 x 4, " + (c.smallPng ? "32" : "8") + " bpp" +
                                   entry(c.smallPng, std::min(c.x, 3u), std::min(c.y, 3u)))
            << c.settings;
    }
}

} // namespace
} // namespace kv
