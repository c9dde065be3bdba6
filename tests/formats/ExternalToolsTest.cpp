// What the plug-ins write, judged by programs that are not ours: icotool
// lists the entries without a warning, ImageMagick reads every entry and
// decodes the same pixels, pngcheck passes our PNG files, and the desktop's
// thumbnailer renders icons, cursors, PNG and BMP files.
#include "ExternalTools.h"
#include "FormatTestSupport.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::ToolRun;

struct Entry {
    std::int32_t size;
    TargetFormat target;
    std::uint32_t bits, palette; // as icotool should list them
};
const Entry kEntries[] = {
    {16, TargetFormat::Rgba32, 32, 0},    {24, TargetFormat::Rgb24, 32, 0},
    {32, TargetFormat::Palette8, 8, 256}, {48, TargetFormat::Palette4, 4, 16},
    {20, TargetFormat::Mono, 1, 2},       {256, TargetFormat::Rgba32, 32, 0},
};

class ExternalJudges : public ::testing::Test {
  protected:
    ExternalJudges() {
        for (std::size_t i = 0; i < std::size(kEntries); ++i)
            project.addImage(test::ImageOf(
                test::DrawnIcon(kEntries[i].size, kEntries[i].size, std::uint32_t(i * 40)),
                kEntries[i].target));
    }
    // The whole project, or one image of it.
    std::string exported(const std::string& name, const std::string& type,
                         const Image* image = nullptr) {
        const std::string path = folder.file(name);
        std::string error;
        EXPECT_TRUE(image ? folder.exportImage(*image, path, type, &error)
                          : folder.exportProject(project, path, type, &error))
            << error;
        return path;
    }

    test::FormatHost folder;
    Project project;
};

std::string IcotoolLine(bool cursor, std::size_t index, const Entry& e) {
    const std::string size = std::to_string(e.size);
    std::string line = std::string(cursor ? "--cursor" : "--icon") +
                       " --index=" + std::to_string(index + 1) + " --width=" + size +
                       " --height=" + size + " --bit-depth=" + std::to_string(e.bits) +
                       " --palette-size=" + std::to_string(e.palette);
    if (cursor)
        line += " --hotspot-x=" + std::to_string(std::min(e.size - 1, 17)) + " --hotspot-y=9";
    return line;
}

TEST_F(ExternalJudges, IcotoolListsEveryEntryWithoutWarnings) {
    REQUIRE_TOOL(test::kIcoTool);
    folder.icoSettings("hotspot = 17, 9\n");
    for (const bool cursor : {false, true}) {
        const std::string path =
            cursor ? exported("all.cur", "CUR cursor") : exported("all.ico", "ICO icon");
        const ToolRun run = RunTool(folder, test::kIcoTool, {"-l", path});
        EXPECT_EQ(run.status, 0) << path;
        EXPECT_EQ(run.err, "") << path;
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < std::size(kEntries); ++i)
            expected.push_back(IcotoolLine(cursor, i, kEntries[i]));
        EXPECT_EQ(test::Lines(run.out), expected) << path;
        // icotool takes the colour count from the bitmaps; the directory's
        // own count (0 from 256 colours up) is judged here.
        const test::Bytes file = test::ReadBytes(path);
        ASSERT_GE(file.size(), 6 + 16 * std::size(kEntries)) << path;
        for (std::size_t i = 0; i < std::size(kEntries); ++i)
            EXPECT_EQ(file[6 + 16 * i + 2], kEntries[i].palette % 256) << path << " entry " << i;
    }
}

TEST_F(ExternalJudges, ImageMagickReadsEveryEntryAndDecodesOurPixels) {
    REQUIRE_TOOL(test::kIdentify);
    REQUIRE_TOOL(test::kConvert);
    for (const char* type : {"ICO icon", "CUR cursor"}) {
        // Each entry's size is checked with its pixels.
        const std::string path = exported(type[0] == 'I' ? "all.ico" : "all.cur", type);
        for (std::size_t i = 0; i < std::size(kEntries); ++i)
            test::ExpectSameVisible(test::ExpectedPixels(*project.imageAt(std::uint32_t(i + 1))),
                                    test::MagickPixels(folder, path, int(i)),
                                    std::string(type) + " entry " + std::to_string(i));
    }
}

TEST_F(ExternalJudges, PngAndBmpFilesOfEveryTargetPassAndDecodeAlike) {
    REQUIRE_TOOL(test::kPngCheck);
    REQUIRE_TOOL(test::kConvert);
    for (std::int32_t i = 1; i <= project.imageCount(); ++i) {
        const Image& image = *project.imageAt(std::uint32_t(i));
        const std::string what = TargetFormatName(image.targetFormat());
        const std::string png = exported("t.png", "PNG image", &image);
        const ToolRun check = RunTool(folder, test::kPngCheck, {png});
        EXPECT_EQ(check.status, 0) << what << ": " << check.out << check.err;
        test::ExpectSameVisible(test::ExpectedPixels(image), test::MagickPixels(folder, png),
                                what + " PNG");

        // 24-bit and palette BMP files carry no transparency.
        const std::string bmp = exported("t.bmp", "BMP image", &image);
        const PixelArray expected = image.targetFormat() == TargetFormat::Rgba32
                                        ? test::ExpectedPixels(image)
                                        : test::Opaque(*image.targetPreview());
        test::ExpectSameVisible(expected, test::MagickPixels(folder, bmp), what + " BMP");
    }
}

TEST_F(ExternalJudges, TheThumbnailerRendersEveryFormat) {
    REQUIRE_TOOL(test::kThumbnailer);
    const std::string files[] = {
        exported("all.ico", "ICO icon"),
        exported("all.cur", "CUR cursor"),
        exported("one.png", "PNG image", project.imageAt(1)),
        exported("one.bmp", "BMP image", project.imageAt(3)),
    };
    for (const std::string& file : files) {
        const std::string thumbnail = folder.file("thumbnail.png");
        std::remove(thumbnail.c_str());
        const ToolRun run = RunTool(folder, test::kThumbnailer, {"-s", "64", file, thumbnail});
        EXPECT_EQ(run.status, 0) << file << ": " << run.err;
        const std::unique_ptr<Project> rendered = folder.import(thumbnail);
        ASSERT_TRUE(rendered) << file;
        const Image& picture = *rendered->firstImage();
        EXPECT_GT(picture.width(), 0) << file;
        EXPECT_LE(std::max(picture.width(), picture.height()), 64) << file;
    }
}

} // namespace
} // namespace kv
