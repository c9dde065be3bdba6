#include "support/StorageTestSupport.h"

#include "editing/history/ActionManager.h"
#include "storage/chunks/ChunkHeader.h"
#include "storage/project/ProjectFile.h"
#include "storage/project/ProjectPreview.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>

namespace kv::test {
namespace {

class ProjectShapes : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallActionManagers(); }
    CapturingReporter reporter;
};

class ProjectRoundTrip : public ProjectShapes,
                         public ::testing::WithParamInterface<std::tuple<int, bool>> {};

// A project using every property the file keeps.
std::unique_ptr<Project> RichProject() {
    auto project = std::make_unique<Project>();

    auto a = MakeImage(20, 13, 3, 1);
    a->lockUpdates();
    a->setResolution(1234.5f, 2834.6458f);
    a->setStoredOption(true);
    a->setForExport(false);
    a->layerAt(1)->setName("Ground");
    a->layerAt(2)->setName("Ünïcödé \xF0\x9F\x98\x80 layer"); // a character beyond the BMP
    a->layerAt(2)->setOpacity(0.37f);
    a->layerAt(2)->setBlendMode(BlendMode::Replace);
    a->layerAt(3)->setVisible(false);
    a->layerAt(3)->setNameNumber(17);
    a->setCurrentLayer(a->layerAt(2));
    a->unlockUpdates();
    project->addImage(std::move(a));

    auto b = MakeImage(16, 16, 1, 2);
    b->lockUpdates();
    b->setTargetFormat(TargetFormat::Palette4);
    b->setPaletteLocked(true);
    b->palette()->setCount(5);
    for (std::int32_t i = 0; i < 5; ++i)
        b->palette()->entry(i).setArgb(i == 0 ? 0 : 255, 40 * i, 255 - 30 * i, 7 * i);
    b->unlockUpdates();
    Image* current = project->addImage(std::move(b));

    // A supersampled layer painted at 8x, a blank layer and an opaque uniform one.
    auto c = std::make_unique<Image>();
    c->lockUpdates();
    c->setSize(9, 7);
    c->setTargetFormat(TargetFormat::Rgb24);
    PixelArray blank(9, 7);
    blank.fill(0);
    Layer* super = AddLayer(*c, blank);
    super->setSupersampled(true);
    PaintNoise(super->supersampleSet()->detail(), 5);
    super->refreshFromDetail(nullptr);
    AddLayer(*c, blank);
    PixelArray solid(9, 7);
    solid.fill(MakeColor32(10, 20, 30, 255));
    AddLayer(*c, solid)->setOpacity(0.5f);
    c->unlockUpdates();
    project->addImage(std::move(c));

    // A palette that is not locked is rebuilt from the composite on loading.
    auto d = MakeImage(12, 10, 2, 9);
    d->setTargetFormat(TargetFormat::Palette8);
    project->addImage(std::move(d));

    project->addImage(MakeImage(3, 2, 0, 1)); // without layers
    project->setCurrentImage(current);
    return project;
}

TEST_P(ProjectRoundTrip, KeepsEveryPropertyAndPixel) {
    const auto [compression, thumbnails] = GetParam();
    const auto project = RichProject();
    const auto bytes =
        SaveToMemory(*project, {.compression = static_cast<CompressionLevel>(compression),
                                .embedThumbnails = thumbnails});
    std::string error;
    const auto loaded = LoadFromMemory(bytes, false, &error);
    ASSERT_TRUE(loaded) << error;
    ExpectSameProject(*project, *loaded);
    EXPECT_TRUE(reporter.messages.empty());

    const auto outline = ChunkOutline(bytes);
    EXPECT_EQ(std::count(outline.begin(), outline.end(), " THMB"), thumbnails ? 1 : 0);
    EXPECT_EQ(std::count(outline.begin(), outline.end(), "  PLTE"), 1) << "only the locked palette";
}

INSTANTIATE_TEST_SUITE_P(SettingsAndThumbnails, ProjectRoundTrip,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Bool()));

TEST_F(ProjectShapes, EmptyProjectRoundTrips) {
    const auto loaded = LoadFromMemory(
        SaveToMemory(Project(), {.compression = CompressionLevel::Strongest}), false);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->imageCount(), 0);
}

ProjectPreview PreviewOf(const std::vector<std::uint8_t>& bytes) {
    ProjectPreview preview;
    EXPECT_TRUE(ReadProjectPreviewMemory(bytes.data(), bytes.size(), true, preview));
    return preview;
}

TEST_F(ProjectShapes, ChosenThumbnailAndPreview) {
    // Neither image is for export; the uniform one scores 0, so the other one's picture is
    // embedded.
    Project project;
    auto blank = MakeImage(40, 40, 2, 0);
    blank->lockUpdates();
    blank->layerAt(1)->pixels().fill(0);
    blank->layerAt(2)->pixels().fill(0);
    blank->setForExport(false);
    blank->unlockUpdates();
    project.addImage(std::move(blank));
    auto detailed = MakeImage(30, 20, 1, 3);
    detailed->setForExport(false);
    const Image* expected = project.addImage(std::move(detailed));
    ProjectPreview preview =
        PreviewOf(SaveToMemory(project, {.compression = CompressionLevel::Fast}));
    EXPECT_EQ(preview.imageCount, 2);
    ASSERT_TRUE(preview.hasPicture);
    ExpectSamePixels(expected->composite(), preview.picture, "thumbnail");

    // Without thumbnails, only a lone one-layer image has a picture: its layer.
    for (const int layers : {1, 2}) {
        Project lone;
        lone.addImage(MakeImage(10, 8, layers, 7));
        preview = PreviewOf(SaveToMemory(lone, {.embedThumbnails = false}));
        EXPECT_EQ(preview.imageCount, 1);
        ASSERT_EQ(preview.hasPicture, layers == 1) << layers << " layers";
        if (preview.hasPicture)
            ExpectSamePixels(lone.firstImage()->composite(), preview.picture, "preview");
    }
}

} // namespace
} // namespace kv::test
