// The headless --convert, --info and --thumbnail jobs against the real
// format plug-ins: what they write is read back through the same plug-ins
// and compared pixel by pixel with what the model made.
#include "commands/cli/ConvertCommand.h"
#include "commands/formats/HeadlessFormats.h"
#include "editing/history/ActionManager.h"
#include "model/Palette.h"
#include "model/Resampler.h"
#include "platform/WholeFiles.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/PluginHost.h"
#include "plugins/host/PluginTransfer.h"
#include "storage/project/ProjectFile.h"
#include "support/CapturingReporter.h"
#include "support/StorageTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/stat.h>

// Without the format plug-ins (-DKORVANE_FORMATS=OFF) the conversions skip.
#ifndef KORVANE_FORMAT_PLUGIN_DIR
#define KORVANE_FORMAT_PLUGIN_DIR ""
#endif

namespace kv::test {
namespace {

// Options in one expression: the icon sizes, then the input's image, a
// cursor's hotspot and the depth.
ConvertOptions With(std::vector<std::int32_t> sizes, std::optional<std::int32_t> image = {},
                    std::optional<CursorHotspot> hotspot = {},
                    std::optional<TargetFormat> depth = {}) {
    ConvertOptions options;
    options.sizes = std::move(sizes);
    options.image = image;
    options.hotspot = hotspot;
    options.depth = depth;
    return options;
}

class ConvertCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        InstallActionManagers();
        s_plugins = new PluginHost;
        s_plugins->loadFolder(KORVANE_FORMAT_PLUGIN_DIR);
        s_plugins->buildTypeLists();
    }
    static void TearDownTestSuite() {
        delete s_plugins;
        s_plugins = nullptr;
    }
    void SetUp() override {
        if (std::string(KORVANE_FORMAT_PLUGIN_DIR).empty()) GTEST_SKIP() << "no format plug-ins";
        ASSERT_TRUE(ExportableByExtension(host(), "ico")) << "the ICO plug-in did not load";
    }

    static const PluginHost& host() { return *s_plugins; }

    int convert(const std::string& in, const std::string& out, const ConvertOptions& options = {}) {
        error.clear();
        return RunFileConvertCommand(host(), in, out, options, error);
    }

    // Reads a file back through the plug-ins, as File > Import does.
    std::unique_ptr<Project> read(const std::string& path) {
        const FileTypeChoice choice = ChooseFileType(host(), path, false, 0);
        if (!choice.entry) return nullptr;
        return ImportFile(*choice.entry, path, {});
    }

    // A project of a 20 x 10 and an 8 x 8 image, both for export, saved.
    std::string sampleProject() {
        Project project;
        project.addImage(MakeImage(20, 10, 2, 3));
        project.addImage(MakeImage(8, 8, 1, 4));
        const std::string path = dir.file("sample.kvp");
        EXPECT_TRUE(WriteProjectFile(path, project, {}).ok);
        return path;
    }

    static inline PluginHost* s_plugins = nullptr;
    CapturingReporter reporter;
    TempDir dir;
    std::string error;
};

// Fully transparent pixels carry no color worth comparing.
PixelArray Visible(const PixelArray& a) {
    PixelArray v(a.width(), a.height());
    for (std::int32_t y = 0; y < a.height(); ++y)
        for (std::int32_t x = 0; x < a.width(); ++x)
            v.row(y)[x] = AlphaOf(a.row(y)[x]) ? a.row(y)[x] : 0;
    return v;
}
void ExpectSameVisiblePixels(const PixelArray& expected, const PixelArray& actual,
                             const std::string& what) {
    EXPECT_TRUE(Visible(expected).sameContents(Visible(actual))) << what;
}

std::set<Color32> ColorsOf(const PixelArray& pixels) {
    std::set<Color32> colors;
    for (std::int32_t y = 0; y < pixels.height(); ++y)
        for (std::int32_t x = 0; x < pixels.width(); ++x)
            colors.insert(pixels.row(y)[x]);
    return colors;
}

TEST(MakeIconSet, KeepsProportionsAndCentresOnTransparency) {
    InstallActionManagers();
    auto source = MakeImage(4, 2, 1, 9);
    const auto set = MakeIconSet(*source, {8, 2, 4}, TargetFormat::Rgba32);
    ASSERT_EQ(set->imageCount(), 3);
    const struct {
        std::int32_t side, top, rows; // where the scaled picture lands
    } sides[] = {{8, 2, 4}, {2, 0, 1}, {4, 1, 2}};
    for (std::uint32_t i = 0; i < 3; ++i) {
        const Image& image = *set->imageAt(i + 1);
        const auto& s = sides[i];
        ASSERT_EQ(image.height(), s.side);
        PixelArray scaled(s.side, s.rows);
        Resample(scaled, source->composite());
        for (std::int32_t y = 0; y < s.side; ++y)
            for (std::int32_t x = 0; x < s.side; ++x) {
                const bool inside = y >= s.top && y < s.top + s.rows;
                EXPECT_EQ(image.composite().row(y)[x], inside ? scaled.row(y - s.top)[x] : 0u)
                    << "side " << s.side << " pixel " << x << "," << y;
            }
    }
}

TEST(MakeIconSet, PalettesComeFromThePicturesOwnColors) {
    InstallActionManagers();
    // Three opaque colors (none of them in a standard palette) and a
    // transparent corner: four entries, enough for the preview to be exact.
    PixelArray picture(4, 4);
    const Color32 colors[] = {MakeColor32(10, 200, 30, 255), MakeColor32(250, 120, 7, 255),
                              MakeColor32(60, 60, 190, 255)};
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            picture.row(y)[x] = x == 0 && y == 0 ? 0 : colors[(x + y) % 3];
    Image source;
    source.setSize(4, 4);
    source.setTargetFormat(TargetFormat::Rgba32);
    AddLayer(source, picture);
    for (const TargetFormat format : {TargetFormat::Palette8, TargetFormat::Palette4}) {
        const auto set = MakeIconSet(source, {4}, format);
        const Image& image = *set->firstImage();
        ASSERT_TRUE(image.palette() && image.targetPreview()) << TargetFormatName(format);
        EXPECT_EQ(image.palette()->count(), 4);
        EXPECT_EQ(ColorsOf(*image.targetPreview()), ColorsOf(picture));
    }
}

TEST_F(ConvertCommand, IconSetRoundTripsThroughThePlugins) {
    const std::string project = sampleProject();
    const std::string png = dir.file("logo.png");
    ASSERT_EQ(convert(project, png, With({}, 1)), 0) << error;
    const auto logo = read(png);
    ASSERT_TRUE(logo);
    ASSERT_EQ(logo->imageCount(), 1);

    const ConvertOptions options = With({48, 16, 20, 256});
    ASSERT_EQ(convert(png, dir.file("app.ico"), options), 0) << error;
    const auto expected = MakeIconSet(*logo->firstImage(), options.sizes, TargetFormat::Rgba32);
    const auto icon = read(dir.file("app.ico"));
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->imageCount(), 4);
    for (std::uint32_t i = 1; i <= 4; ++i)
        ExpectSameVisiblePixels(expected->imageAt(i)->composite(), icon->imageAt(i)->composite(),
                                "entry " + std::to_string(i));
}

TEST_F(ConvertCommand, ProjectImagesForExportGoOutInProjectOrder) {
    Project project;
    project.addImage(MakeImage(20, 10, 2, 3));
    project.addImage(MakeImage(8, 8, 1, 4));
    project.addImage(MakeImage(12, 12, 1, 5));
    project.imageAt(2)->setForExport(false);
    const std::string path = dir.file("three.kvp");
    ASSERT_TRUE(WriteProjectFile(path, project, {}).ok);

    ASSERT_EQ(convert(path, dir.file("out.ico")), 0) << error;
    const auto icon = read(dir.file("out.ico"));
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->imageCount(), 2);
    ExpectSameVisiblePixels(project.imageAt(1)->composite(), icon->imageAt(1)->composite(), "1");
    ExpectSameVisiblePixels(project.imageAt(3)->composite(), icon->imageAt(2)->composite(), "3");

    // --image picks any image, also one not marked for export.
    ASSERT_EQ(convert(path, dir.file("second.bmp"), With({}, 2)), 0) << error;
    const auto bmp = read(dir.file("second.bmp"));
    ASSERT_TRUE(bmp);
    ExpectSameVisiblePixels(project.imageAt(2)->composite(), bmp->firstImage()->composite(),
                            "--image 2");
}

TEST_F(ConvertCommand, RefusalsSayWhyAndWriteNothing) {
    const std::string project = sampleProject();
    const std::string png = dir.file("one.png");
    ASSERT_EQ(convert(project, png, With({}, 1)), 0) << error;
    ASSERT_EQ(convert(png, dir.file("six.ico"), With({32, 16})), 0) << error;
    TempXdgHome::writeFile(dir.file("colors.kvcolors"), "KORVANE.COLORS\n");
    TempXdgHome::writeFile(dir.file("fake.ico"), "not an icon at all");
    ::mkdir(dir.file("folder.png").c_str(), 0755);

    struct Case {
        std::string in, out;
        ConvertOptions options;
        std::string message;
    };
    // The script of command lines tries the simplest refusals too.
    const Case cases[] = {
        {"one", "x.ico", {}, "unknown file type (a file without extension)"},
        {"colors.kvcolors", "x.ico", {}, "cannot convert .kvcolors to .ico"},
        {"folder.png", "x.ico", {}, "folder.png: is a folder"},
        {"fake.ico", "x.png", {}, "fake.ico: "},
        {"six.ico", "x.png", With({}, 3), "--image 3: "},
        {"sample.kvp", "x.ico", With({16}), "choose the one to scale with --image N"},
        {"one.png", "x.png", With({16, 32}), "holds one image, and --sizes makes 2 images"},
        {"one.png", "x.ico", With({}, {}, CursorHotspot{0, 0}), "--hotspot is for cursors"},
        {"one.png", "x/", {}, "receives an icon set; give its sizes with --sizes"},
        {"one.png", "x.ico", With({300}), "x.ico: Icons and cursors hold images of at most"},
    };
    for (const Case& c : cases) {
        const std::string out = dir.file(c.out);
        EXPECT_EQ(convert(dir.file(c.in), out, c.options), 1) << c.in << " -> " << c.out;
        EXPECT_NE(error.find(c.message), std::string::npos)
            << c.in << " -> " << c.out << ": " << error;
        EXPECT_FALSE(FileExists(out)) << c.out;
    }
    EXPECT_TRUE(reporter.messages.empty()) << "messages belong in the error text, not a box";

    // A plug-in that refuses leaves an old file as it was, and no temporary file.
    TempXdgHome::writeFile(dir.file("old.ico"), "precious");
    const auto before = TempXdgHome::listFiles(dir.home());
    EXPECT_EQ(convert(png, dir.file("old.ico"), With({300})), 1);
    EXPECT_EQ(TempXdgHome::readFile(dir.file("old.ico")), "precious");
    EXPECT_EQ(TempXdgHome::listFiles(dir.home()), before);
}

} // namespace
} // namespace kv::test
