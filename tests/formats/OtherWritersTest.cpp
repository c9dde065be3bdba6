// Icons that icotool writes from pictures the test draws import with the
// sizes, depths and pixels it meant: ImageMagick's own decoding of each
// entry is the reference for its pixels. BMP and PNG variants are built by
// hand in their own tests, which cover everything ImageMagick writes.
#include "ExternalTools.h"
#include "FormatTestSupport.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::ToolRun;

// Few colors and wholly opaque or transparent pixels, so that the writers
// can choose palette depths: `colors` of them in bands.
PixelArray Banded(std::int32_t size, unsigned colors) {
    PixelArray pixels(size, size);
    for (std::int32_t y = 0; y < size; ++y)
        for (std::int32_t x = 0; x < size; ++x) {
            const unsigned band = unsigned(x + 2 * y) / 3 % colors;
            const bool hole = (x - size / 2) * (x - size / 2) + (y - size / 2) * (y - size / 2) < 9;
            pixels.set(x, y,
                       MakeColor32(band * 255 / std::max(colors - 1, 1u), band * 37 & 0xFF,
                                   255 - band * 20, hole ? 0 : 255));
        }
    return pixels;
}

class OtherWriters : public ::testing::Test {
  protected:
    void SetUp() override {
        if (test::kConvert.empty() || test::kIdentify.empty())
            GTEST_SKIP() << "ImageMagick is not installed (scripts/install-deps)";
    }
    std::string drawn(const PixelArray& pixels, const std::string& name) {
        const std::string path = folder.file(name);
        EXPECT_TRUE(
            folder.exportImage(*test::ImageOf(pixels, TargetFormat::Rgba32), path, "PNG image"));
        return path;
    }
    // Imports a file and compares every image with ImageMagick's decoding.
    std::unique_ptr<Project> importLikeMagick(const std::string& path, int entries) {
        std::string error;
        std::unique_ptr<Project> project = folder.import(path, &error);
        EXPECT_TRUE(project) << path << ": " << error;
        if (!project) return project;
        EXPECT_EQ(project->imageCount(), entries) << path;
        for (int i = 0; i < std::min(entries, project->imageCount()); ++i)
            test::ExpectSameVisible(test::MagickPixels(folder, path, entries > 1 ? i : -1),
                                    project->imageAt(std::uint32_t(i + 1))->composite(),
                                    path + " image " + std::to_string(i));
        return project;
    }

    test::FormatHost folder;
};

TEST_F(OtherWriters, IcotoolIconsOfEveryDepth) {
    REQUIRE_TOOL(test::kIcoTool);
    PixelArray hard = test::DrawnIcon(32, 32, 2);
    for (std::size_t i = 0; i < hard.pixelCount(); ++i)
        hard.data()[i] = WithAlpha(hard.data()[i], AlphaOf(hard.data()[i]) >= 128 ? 255 : 0);
    const std::string path = folder.file("icotool.ico");
    const ToolRun made = RunTool(folder, test::kIcoTool,
                                 {"-c", "-o", path, drawn(test::DrawnIcon(16, 16, 1), "soft16.png"),
                                  drawn(hard, "hard32.png"), drawn(Banded(30, 40), "some30.png"),
                                  drawn(Banded(24, 12), "few24.png"),
                                  drawn(test::Opaque(Banded(20, 2)), "two20.png"),
                                  "--raw=" + drawn(test::DrawnIcon(256, 256, 3), "big.png")});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::unique_ptr<Project> project = importLikeMagick(path, 6);
    ASSERT_TRUE(project);
    // The pictures were drawn so that icotool picks 32, 24, 8, 4, 1 bits and a PNG entry.
    const TargetFormat targets[] = {TargetFormat::Rgba32,   TargetFormat::Rgb24,
                                    TargetFormat::Palette8, TargetFormat::Palette4,
                                    TargetFormat::Mono,     TargetFormat::Rgba32};
    for (std::uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(project->imageAt(i + 1)->targetFormat(), targets[i]) << i;
}

} // namespace
} // namespace kv
