// Files that icotool and ImageMagick write from pictures the test draws
// import with the sizes, depths, hotspots and pixels those programs meant:
// ImageMagick's own decoding of each file is the reference for its pixels.
#include "ExternalTools.h"
#include "FormatTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

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

TargetFormat TargetForDepth(std::uint32_t bits) {
    switch (bits) {
    case 1:
        return TargetFormat::Mono;
    case 4:
        return TargetFormat::Palette4;
    case 8:
        return TargetFormat::Palette8;
    case 24:
        return TargetFormat::Rgb24;
    default:
        return TargetFormat::Rgba32;
    }
}

// icotool's listing of a file: width, depth and hotspot per entry.
struct Listed {
    std::int32_t width = 0, height = 0;
    std::uint32_t bits = 0;
    std::int32_t hotspotX = -1, hotspotY = -1;
};
std::vector<Listed> IcotoolList(const test::TempDir& folder, const std::string& path) {
    const ToolRun run = RunTool(folder, test::IcoTool(), {"-l", path});
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<Listed> entries;
    for (const std::string& line : test::Lines(run.out)) {
        Listed e;
        std::istringstream words(line);
        for (std::string w; words >> w;) {
            const auto value = [&](const char* key) {
                return std::stoi(w.substr(std::string(key).size()));
            };
            if (w.rfind("--width=", 0) == 0) e.width = value("--width=");
            if (w.rfind("--height=", 0) == 0) e.height = value("--height=");
            if (w.rfind("--bit-depth=", 0) == 0) e.bits = std::uint32_t(value("--bit-depth="));
            if (w.rfind("--hotspot-x=", 0) == 0) e.hotspotX = value("--hotspot-x=");
            if (w.rfind("--hotspot-y=", 0) == 0) e.hotspotY = value("--hotspot-y=");
        }
        entries.push_back(e);
    }
    return entries;
}

class OtherWriters : public ::testing::Test {
  protected:
    void SetUp() override {
        if (test::Convert().empty() || test::Identify().empty())
            GTEST_SKIP() << "ImageMagick is not installed (scripts/install-deps)";
    }
    std::string drawn(const PixelArray& pixels, const std::string& name) {
        const std::string path = folder.file(name);
        test::MagickWrite(folder, pixels, "PNG32:" + path);
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
                                    test::ImportedPixels(*project->imageAt(std::uint32_t(i + 1))),
                                    path + " image " + std::to_string(i));
        return project;
    }

    test::FormatHost folder;
};

TEST_F(OtherWriters, IcotoolIconsOfEveryDepth) {
    REQUIRE_TOOL(test::IcoTool());
    PixelArray hard = test::DrawnIcon(32, 32, 2);
    for (std::size_t i = 0; i < hard.pixelCount(); ++i)
        hard.data()[i] = WithAlpha(hard.data()[i], AlphaOf(hard.data()[i]) >= 128 ? 255 : 0);
    const std::vector<std::string> inputs = {
        drawn(test::DrawnIcon(16, 16, 1), "soft16.png"), drawn(hard, "hard32.png"),
        drawn(Banded(30, 40), "some30.png"), drawn(Banded(24, 12), "few24.png"),
        drawn(test::Opaque(Banded(20, 2)), "two20.png")};
    const std::string path = folder.file("icotool.ico"),
                      raw = drawn(test::DrawnIcon(256, 256, 3), "big.png");
    std::vector<std::string> arguments = {"-c", "-o", path};
    arguments.insert(arguments.end(), inputs.begin(), inputs.end());
    arguments.push_back("--raw=" + raw);
    const ToolRun made = RunTool(folder, test::IcoTool(), arguments);
    ASSERT_EQ(made.status, 0) << made.err;
    const std::vector<Listed> listed = IcotoolList(folder, path);
    ASSERT_EQ(listed.size(), 6u);
    const std::unique_ptr<Project> project = importLikeMagick(path, 6);
    ASSERT_TRUE(project);
    std::vector<std::uint32_t> depths;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        const Image& image = *project->imageAt(std::uint32_t(i + 1));
        EXPECT_EQ(image.width(), listed[i].width) << i;
        EXPECT_EQ(image.height(), listed[i].height) << i;
        EXPECT_EQ(image.targetFormat(), TargetForDepth(listed[i].bits)) << i;
        depths.push_back(listed[i].bits);
    }
    // The pictures were drawn so that icotool picks these depths.
    EXPECT_EQ(depths, (std::vector<std::uint32_t>{32, 24, 8, 4, 1, 32}));
}

TEST_F(OtherWriters, IcotoolCursorsKeepTheirHotspots) {
    REQUIRE_TOOL(test::IcoTool());
    const std::string path = folder.file("icotool.cur");
    const ToolRun made = RunTool(folder, test::IcoTool(),
                                 {"-c", "--cursor", "--hotspot-x=7", "--hotspot-y=11", "-o", path,
                                  drawn(Banded(32, 2), "arrow.png")});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::vector<Listed> listed = IcotoolList(folder, path);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].hotspotX, 7);
    EXPECT_EQ(folder.describe(path), "Cursor, 1 image\n32 x 32, " + std::to_string(listed[0].bits) +
                                         " bpp, hotspot 7, 11");
    importLikeMagick(path, 1);
}

TEST_F(OtherWriters, ImageMagickIcons) {
    const std::string path = folder.file("magick.ico");
    const ToolRun made =
        RunTool(folder, test::Convert(),
                {drawn(test::DrawnIcon(16, 16, 1), "a.png"), drawn(Banded(48, 9), "b.png"),
                 drawn(test::DrawnIcon(256, 256, 2), "c.png"), path});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::unique_ptr<Project> project = importLikeMagick(path, 3);
    ASSERT_TRUE(project);
    EXPECT_EQ(project->imageAt(2)->width(), 48);
    EXPECT_EQ(project->imageAt(3)->width(), 256);
}

TEST_F(OtherWriters, ImageMagickBmpAndPngVariants) {
    const PixelArray soft = test::DrawnIcon(23, 14, 4), few = Banded(17, 7), many = Banded(40, 90);
    const struct {
        const char* name;
        const PixelArray* pixels;
        std::vector<std::string> options;
        const char* output;
    } cases[] = {
        {"opaque V3", &soft, {"-alpha", "off"}, "BMP3:"},
        {"with alpha V5", &soft, {}, "BMP:"},
        {"OS/2", &soft, {"-alpha", "off"}, "BMP2:"},
        {"4-bit palette", &few, {"-alpha", "off", "-type", "Palette"}, "BMP3:"},
        {"8-bit palette", &many, {"-alpha", "off", "-type", "Palette"}, "BMP3:"},
        {"run-length", &many, {"-alpha", "off", "-type", "Palette", "-compress", "RLE"}, "BMP3:"},
        {"PNG8", &few, {}, "PNG8:"},
        {"PNG24", &soft, {"-alpha", "off"}, "PNG24:"},
        {"PNG32", &soft, {}, "PNG32:"},
        {"PNG48", &soft, {"-alpha", "off", "-depth", "16"}, "PNG48:"},
        {"PNG64 interlaced", &soft, {"-depth", "16", "-interlace", "PNG"}, "PNG64:"},
        {"gray", &soft, {"-alpha", "off", "-colorspace", "Gray"}, "PNG:"},
    };
    // The target formats these files ask for are the hand-made tables' business.
    for (const auto& c : cases) {
        const std::string path =
            folder.file(std::string("v.") + (c.output[0] == 'B' ? "bmp" : "png"));
        test::MagickWrite(folder, *c.pixels, c.output + path, c.options);
        const std::unique_ptr<Project> project = importLikeMagick(path, 1);
        ASSERT_TRUE(project) << c.name;
        EXPECT_TRUE(std::string(c.name) != "run-length" ||
                    test::GetU32(test::ReadBytes(path), 30) == 1)
            << "RLE8";
    }
}

} // namespace
} // namespace kv
