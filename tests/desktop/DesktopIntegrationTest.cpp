#include "desktop/DesktopIntegration.h"
#include "desktop/MimeTypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kv {
namespace {

TEST(ShellIcons, EachIconIsItsOwnPictureAtEverySize) {
    for (std::int32_t size : kShellIconSizes) {
        std::set<std::vector<Color32>> drawn;
        for (ShellIcon icon :
             {ShellIcon::Application, ShellIcon::Plugin, ShellIcon::Project, ShellIcon::Colors}) {
            const std::vector<Color32> px = RenderShellIcon(icon, size);
            ASSERT_EQ(px.size(), static_cast<std::size_t>(size * size));
            EXPECT_EQ(AlphaOf(px[0]), 0u) << size; // rounded or cut corners stay clear
            EXPECT_EQ(AlphaOf(px[static_cast<std::size_t>(size / 2 * size + size / 2)]), 255u)
                << size;
            drawn.insert(px);
        }
        EXPECT_EQ(drawn.size(), 4u) << size;
    }
}

TEST(DesktopIntegration, ExecLinesQuoteEveryReservedCharacter) {
    const struct {
        const char* path;
        const char* quoted;
    } cases[] = {
        {"/usr/bin/korvane", "\"/usr/bin/korvane\""},
        {"/opt/my apps/korvane", "\"/opt/my apps/korvane\""},
        {"/a\"b", "\"/a\\\\\"b\""},
        {"/cost$/`x`", "\"/cost\\\\$/\\\\`x\\\\`\""},
        {"/back\\slash", "\"/back\\\\\\\\slash\""},
        {"/100%/k", "\"/100%%/k\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuoteForDesktopExec(c.path), c.quoted) << c.path;
}

TEST(DesktopIntegration, TheEntryAndPackageNameOurTypes) {
    const DesktopIntegration desktop("/d", "/opt/my apps/korvane");
    const std::string entry = desktop.desktopEntry();
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(entry.find("\nExec=\"/opt/my apps/korvane\" %f\n"), std::string::npos);
    EXPECT_NE(entry.find("\nMimeType=application/x-korvane-plugin;application/x-korvane-project;"
                         "application/x-korvane-colors;\n"),
              std::string::npos);
    const std::string xml = DesktopIntegration::mimePackage();
    // One file type stands for all: they come from one table.
    for (const char* glob : {"<glob pattern=\"*.kvp\"/>", "type=\"application/x-korvane-project\"",
                             "<icon name=\"application-x-korvane-colors\"/>"})
        EXPECT_NE(xml.find(glob), std::string::npos) << glob;
    // Picture types the plug-ins read follow our own.
    const DesktopIntegration pictures("/d", "/usr/bin/korvane", {"image/png", "image/bmp"});
    EXPECT_NE(pictures.desktopEntry().find("application/x-korvane-colors;image/png;image/bmp;\n"),
              std::string::npos);
}

// The thumbnailer entry is part of the file types, so the start-up
// registration keeps it current too; its strings escape a backslash.
TEST(DesktopIntegration, ThumbnailerEntryGoesWithTheFileTypes) {
    const DesktopIntegration desktop("/d", "/opt/my apps/korvane");
    EXPECT_NE(
        desktop.thumbnailerEntry().find("Exec=\"/opt/my apps/korvane\" --thumbnail %i %o %s\n"),
        std::string::npos);
    const auto types = desktop.files(kShellFileTypes);
    EXPECT_NE(std::find(types.begin(), types.end(), desktop.thumbnailerPath()), types.end());
    const auto application = desktop.files(kShellApplication);
    EXPECT_EQ(std::find(application.begin(), application.end(), desktop.thumbnailerPath()),
              application.end());
    EXPECT_NE(DesktopIntegration("/d", "/a\\b").thumbnailerEntry().find("TryExec=/a\\\\b\n"),
              std::string::npos);
}

TEST(MimeTypes, OfTheExtensionsPluginsRead) {
    EXPECT_EQ(MimeTypesOfExtensions({"ico", "CUR", "png", "xyz", "bmp", "dib", "PNG", ""}),
              (std::vector<std::string>{"image/vnd.microsoft.icon", "image/x-win-bitmap",
                                        "image/png", "image/bmp"}));
    EXPECT_EQ(MimeTypeOfExtension("Jpeg"), "image/jpeg");
    EXPECT_EQ(MimeTypeOfExtension("kvp"), "");
}

} // namespace
} // namespace kv
