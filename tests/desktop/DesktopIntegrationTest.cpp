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
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/korvane", "\"/usr/bin/korvane\""},
        {"/opt/my apps/korvane", "\"/opt/my apps/korvane\""},
        {"/a\"b", "\"/a\\\\\"b\""},
        {"/cost$/`x`", "\"/cost\\\\$/\\\\`x\\\\`\""},
        {"/back\\slash", "\"/back\\\\\\\\slash\""},
        {"/100%/k", "\"/100%%/k\""},
    };
    for (const auto& [path, quoted] : cases)
        EXPECT_EQ(QuoteForDesktopExec(path), quoted) << path;
}

TEST(DesktopIntegration, TheEntryAndPackageNameOurTypes) {
    const DesktopIntegration desktop("/d", "/opt/my apps/korvane");
    const std::string entry = desktop.desktopEntry();
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(entry.find("\nExec=\"/opt/my apps/korvane\" %f\n"), std::string::npos);
    const std::string xml = DesktopIntegration::mimePackage();
    // One file type stands for all: they come from one table.
    for (const char* glob : {"<glob pattern=\"*.kvp\"/>", "type=\"application/x-korvane-project\"",
                             "<icon name=\"application-x-korvane-colors\"/>"})
        EXPECT_NE(xml.find(glob), std::string::npos) << glob;
    // The thumbnailer entry is part of the file types, so the start-up
    // registration keeps it current too (its lines are the command-line
    // test's); its strings escape a backslash.
    const auto types = desktop.files(kShellFileTypes);
    EXPECT_NE(std::find(types.begin(), types.end(), desktop.thumbnailerPath()), types.end());
    EXPECT_NE(DesktopIntegration("/d", "/a\\b").thumbnailerEntry().find("TryExec=/a\\\\b\n"),
              std::string::npos);
}

TEST(MimeTypes, OfTheExtensionsPluginsRead) {
    EXPECT_EQ(MimeTypesOfExtensions({"ico", "CUR", "png", "xyz", "bmp", "dib", "PNG", ""}),
              (std::vector<std::string>{"image/vnd.microsoft.icon", "image/x-win-bitmap",
                                        "image/png", "image/bmp"}));
    EXPECT_EQ(MimeTypeOfExtension("Jpeg"), "image/jpeg");
}

} // namespace
} // namespace kv
