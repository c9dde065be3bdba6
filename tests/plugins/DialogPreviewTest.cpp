#include "plugins/preview/DialogPreview.h"
#include "PluginTestSupport.h"
#include "model/Blending.h"
#include "plugins/host/PluginHost.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(DialogPreview, PicturesLargerThanTheAreaAreScaledToFit) {
    const struct {
        std::int32_t width, height, fittedWidth, fittedHeight;
    } cases[] = {
        {200, 100, 184, 92}, {184, 184, 184, 184}, {100, 50, 100, 50},
        {100, 400, 46, 184}, {1000, 1, 184, 1}, // never below one pixel
    };
    for (const auto& c : cases) {
        std::int32_t w = 0, h = 0;
        FitPreviewSize(c.width, c.height, 184, w, h);
        EXPECT_EQ(w, c.fittedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(h, c.fittedHeight) << c.width << " x " << c.height;
    }
}

class DialogPreviewFiles : public ::testing::Test {
  protected:
    DialogPreviewFiles() {
        folder.add("test_alpha");
        host.loadFolder(folder.plugins());
        host.buildTypeLists();
    }
    test::PluginFolder folder;
    PluginHost host;
};

TEST_F(DialogPreviewFiles, APluginPreviewIsFlattenedAndScaled) {
    test::TempXdgHome::writeFile(folder.file("a.alph"), "ALPH");
    const DialogPreview preview = MakeDialogPreview(host, folder.file("a.alph"));
    EXPECT_TRUE(preview.areaText.empty());
    EXPECT_EQ(preview.description, "Alpha Test file");
    ASSERT_EQ(preview.picture.width(), 184);
    ASSERT_EQ(preview.picture.height(), 92);
    // The left half has translucent blue over red, the right half red alone.
    const Color32 red = MakeColor32(255, 0, 0, 255);
    EXPECT_EQ(preview.picture.get(10, 40),
              BlendOverPixel(red, MakeColor32(0, 0, 255, 255), kOpacityOne / 2));
    EXPECT_EQ(preview.picture.get(170, 40), red);
}

TEST_F(DialogPreviewFiles, ProjectsShowTheirThumbnailOrOnlyTheirDescription) {
    test::WriteProjectFile(folder.file("one.kvp"), 1, true);
    const DialogPreview one = MakeDialogPreview(host, folder.file("one.kvp"));
    EXPECT_EQ(one.description, "Korvane project\n1 image");
    EXPECT_EQ(one.picture.width(), 20);
    EXPECT_EQ(one.picture.height(), 10);

    test::WriteProjectFile(folder.file("two.kvp"), 2, false);
    const DialogPreview two = MakeDialogPreview(host, folder.file("two.kvp"));
    EXPECT_EQ(two.description, "Korvane project\n2 images");
    EXPECT_TRUE(two.picture.isEmpty());
}

} // namespace
} // namespace kv
