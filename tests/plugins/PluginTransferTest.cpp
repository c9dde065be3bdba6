// Choosing a file's type, importing and exporting through real plug-ins
// loaded from a temporary Plugins folder.
#include "plugins/host/PluginTransfer.h"
#include "PluginTestSupport.h"
#include "commands/formats/PluginFormats.h"
#include "editing/history/ActionManager.h"
#include "model/Layer.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/PluginHost.h"
#include "plugins/portable/PortableHeap.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kv {
namespace {

class PluginTransfer : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { InstallActionManagers(); }
    PluginTransfer() {
        folder.addAll(test::kGoodTestPlugins);
        folder.add("example_pam");
        host.loadFolder(folder.plugins());
        host.buildTypeLists();
        blocksBefore = PortableHeap::instance().liveBlocks();
    }
    ~PluginTransfer() override {
        EXPECT_EQ(PortableHeap::instance().liveBlocks(), blocksBefore) << "portable blocks leaked";
    }

    const FileTypeEntry& type(const std::string& name) const {
        for (const FileTypeEntry& e : host.importableTypes())
            if (e.name == name) return e;
        throw std::runtime_error("no type " + name);
    }
    std::string file(const std::string& name, const std::string& bytes) const {
        test::TempXdgHome::writeFile(folder.file(name), bytes);
        return folder.file(name);
    }

    test::PluginFolder folder;
    PluginHost host;
    std::size_t blocksBefore = 0;
};

TEST_F(PluginTransfer, FileTypesByExtensionThenByAskingEveryProvider) {
    test::WriteProjectFile(folder.file("p.kvp"), 1, true);
    test::WriteProjectFile(folder.file("project"), 1, true);
    const struct {
        const char* name;
        std::string bytes;
        const char* type; // null: nobody accepts
    } cases[] = {
        {"A.ALPH", "ALPH", "Alpha Test picture"},
        {"x.shr", "ALPH", "Alpha Test shared"},
        {"y.shr", "BETA", "Beta Test shared"},    // Alpha's shared type is asked first and declines
        {"z.alph", "GAMA", "Gamma Test picture"}, // the extension's owner declines: all asked
        {"noextension", "DELT", "Delta Test picture"},
        {"dotted.folder/noext", "DELT", "Delta Test picture"},
        {"p.kvp", "", "Korvane project"},
        {"project", "", "Korvane project"},
        {"u.txt", "hello", nullptr},
    };
    for (const auto& c : cases) {
        const std::string path =
            c.bytes.empty() ? folder.file(c.name) : file(c.name, c.bytes + "\x01\x01....");
        const FileTypeChoice choice = ChooseFileType(host, path, false, 0);
        if (!c.type) {
            EXPECT_FALSE(choice.entry) << c.name;
            continue;
        }
        ASSERT_TRUE(choice.entry) << c.name;
        EXPECT_EQ(choice.entry->name, c.type) << c.name;
        EXPECT_FALSE(choice.preview) << c.name;
    }
}

TEST_F(PluginTransfer, FailedImportsShowThePluginsMessageOrCode) {
    const struct {
        const char* type;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"Alpha Test picture", "ALPH\x04\x04..", "Unexpected end of file"}, // code 14
        {"Beta Test picture", "BETA", "Beta cannot read this picture"},     // its own text
        {"Gamma Test picture", "GAMA", "Plugin malfunction"},               // it throws
    };
    for (const auto& c : cases) {
        test::CapturingReporter reporter;
        const std::string path = file("f.bin", c.bytes);
        EXPECT_FALSE(ImportFile(type(c.type), path, ImportOptions())) << c.type;
        EXPECT_EQ(reporter.messages, std::vector<std::string>{c.message}) << c.type;
    }
}

// The commands' format library over the host: what the Open, Import and
// Export commands see of the loaded plug-ins.
TEST_F(PluginTransfer, FilesAreIdentifiedAndImportedThroughTheirProvider) {
    test::CapturingReporter reporter;
    PluginFormats formats{host};
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
    const Image& image = *project->firstImage();
    EXPECT_EQ(image.targetFormat(), TargetFormat::Rgba32);
    ASSERT_EQ(image.layerCount(), 1);
    EXPECT_EQ(image.bottomLayer()->name(), "ALPH layer");
    test::ExpectSamePixels(pixels, image.bottomLayer()->pixels(), "imported");
    EXPECT_EQ(formats.importFile(folder.file("p.kvp"), message)->imageCount(), 2);
    EXPECT_FALSE(formats.importFile(junk, message));
    EXPECT_EQ(message, "Unknown file type");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(PluginTransfer, ImagesLeaveThroughPluginsAndProjectsAsProjectFiles) {
    PluginFormats formats{host};
    Project project;
    Image* image = project.addImage(test::MakeImage(6, 4, 1, 9));
    const auto imageTypes = formats.exportTypes(project, image);
    const auto pam = *std::find_if(imageTypes.begin(), imageTypes.end(), [](const FileTypeInfo& t) {
        return t.name == "Portable arbitrary map";
    });
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
}

} // namespace
} // namespace kv
