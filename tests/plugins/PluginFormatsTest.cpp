// The commands' format library over the real plug-in host: what the Open,
// Import and Export commands see of the loaded plug-ins.
#include "commands/PluginFormats.h"
#include "PluginTestSupport.h"
#include "editing/history/ActionManager.h"
#include "model/Layer.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/PluginHost.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kv {
namespace {

class PluginFormatsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallActionManagers(); }
    PluginFormatsTest() {
        folder.add("test_alpha");
        folder.add("example_pam");
        host.loadFolder(folder.plugins());
        host.buildTypeLists();
    }
    std::string file(const std::string& name, const std::string& bytes) const {
        test::TempXdgHome::writeFile(folder.file(name), bytes);
        return folder.file(name);
    }
    const FileTypeInfo& typeNamed(const std::vector<FileTypeInfo>& types, const std::string& name) {
        const auto it = std::find_if(types.begin(), types.end(),
                                     [&](const FileTypeInfo& t) { return t.name == name; });
        if (it == types.end()) throw std::runtime_error("no type " + name);
        return *it;
    }

    test::CapturingReporter reporter;
    test::PluginFolder folder;
    PluginHost host;
    PluginFormats formats{host};
};

TEST_F(PluginFormatsTest, FilesAreIdentifiedAndImportedThroughTheirProvider) {
    test::WriteProjectFile(folder.file("p.kvp"), 2, false);
    PixelArray pixels(5, 2);
    test::PaintGradient(pixels, 3, true);
    const std::string picture = file("a.alph", test::TestPictureBytes("ALPH", pixels));
    const std::string junk = file("junk.png", "not a picture");

    EXPECT_EQ(formats.identify(folder.file("p.kvp")), FileFormat::Project);
    EXPECT_EQ(formats.identify(picture), FileFormat::Importable);
    EXPECT_EQ(formats.identify(junk), FileFormat::Unknown);

    std::string message;
    const auto project = formats.importFile(picture, message);
    ASSERT_TRUE(project) << message;
    test::ExpectSamePixels(pixels, project->firstImage()->bottomLayer()->pixels(), "imported");
    EXPECT_EQ(formats.importFile(folder.file("p.kvp"), message)->imageCount(), 2);
    EXPECT_FALSE(formats.importFile(junk, message));
    EXPECT_EQ(message, "Unknown file type");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(PluginFormatsTest, ImagesLeaveThroughPluginsAndProjectsAsProjectFiles) {
    Project project;
    Image* image = project.addImage(std::make_unique<Image>());
    {
        ImageUpdateLock lock(*image);
        image->setSize(6, 4);
        image->setTargetFormat(TargetFormat::Rgba32);
        PixelArray pixels(6, 4);
        test::PaintGradient(pixels, 9, true);
        test::AddLayer(*image, pixels);
    }
    const auto imageTypes = formats.exportTypes(project, image);
    const FileTypeInfo& pam = typeNamed(imageTypes, "Portable arbitrary map");
    std::string message;
    ASSERT_TRUE(formats.exportImage(folder.file("x.pam"), pam, *image, message)) << message;
    const auto back = formats.importFile(folder.file("x.pam"), message);
    ASSERT_TRUE(back) << message;
    test::ExpectSamePixels(image->bottomLayer()->pixels(),
                           back->firstImage()->bottomLayer()->pixels(), "through the plug-in");

    const auto projectTypes = formats.exportTypes(project, nullptr);
    ASSERT_EQ(projectTypes.size(), 1u) << "projects leave as project files";
    ASSERT_TRUE(formats.exportProject(folder.file("y.kvp"), projectTypes[0], project, message));
    EXPECT_EQ(formats.identify(folder.file("y.kvp")), FileFormat::Project);
    EXPECT_FALSE(formats.exportImage(folder.file("z.kvp"), projectTypes[0], *image, message));
    EXPECT_EQ(message, "Unsupported format");
}

} // namespace
} // namespace kv
