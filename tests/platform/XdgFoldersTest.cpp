#include "platform/XdgFolders.h"
#include "platform/WholeFiles.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using test::TempXdgHome;

TEST(XdgFolders, UserDirsEntriesExpandHomeAndRejectRelativePaths) {
    const std::string text = "# written by xdg-user-dirs-update\n"
                             "XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"/\"\n"
                             "XDG_MUSIC_DIR=\"/srv/music\"\n"
                             "XDG_VIDEOS_DIR=\"videos\"\n"
                             "XDG_PICTURES_DIR=\"$HOMEPAGE/x\"\n"
                             "XDG_TEMPLATES_DIR=\"$HOME/unterminated\n";
    const struct {
        const char* key;
        const char* expected;
    } cases[] = {
        {"XDG_DOCUMENTS_DIR", "/home/u/My \"Docs\""},
        {"XDG_MUSIC_DIR", "/srv/music"},
        {"XDG_VIDEOS_DIR", ""},
        {"XDG_PICTURES_DIR", ""},
        {"XDG_TEMPLATES_DIR", ""},
        {"XDG_DOWNLOAD_DIR", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseUserDirsEntry(text, c.key, "/home/u"), c.expected) << c.key;
}

TEST(XdgFolders, DocumentsFolderPrefersUserDirsThenDocumentsThenHome) {
    TempXdgHome home;
    EXPECT_EQ(DocumentsFolder(), home.home() + "/");
    ASSERT_TRUE(MakeFolders(home.home() + "/Documents"));
    EXPECT_EQ(DocumentsFolder(), home.home() + "/Documents/");
    TempXdgHome::writeFile(home.config() + "/user-dirs.dirs",
                           "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    EXPECT_EQ(DocumentsFolder(), home.home() + "/Papers/");
    // A relative HOME is not used; the password database answers instead.
    home.setEnv("HOME", "nowhere");
    EXPECT_NE(HomeFolder(), "nowhere");
}

TEST(XdgFolders, DataAndConfigHomesHonourTheEnvironment) {
    TempXdgHome home;
    home.setEnv("XDG_DATA_HOME", home.home() + "/share///");
    EXPECT_EQ(XdgDataHome(), home.home() + "/share");
    home.unsetEnv("XDG_DATA_HOME");
    EXPECT_EQ(XdgDataHome(), home.home() + "/.local/share");
    home.setEnv("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_EQ(XdgConfigHome(), home.home() + "/.config");
}

// Replacing is ReplacingFileTest's; reading stops at the limit.
TEST(WholeFiles, ReadsStopAtTheLimitAndRemovingIsIdempotent) {
    TempXdgHome home;
    const std::string path = home.home() + "/f.txt";
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    std::string data;
    EXPECT_TRUE(ReadWholeFile(path, data, 6));
    EXPECT_EQ(data, "second");
    EXPECT_FALSE(ReadWholeFile(path, data, 5));
    EXPECT_TRUE(RemoveFile(path));
    EXPECT_TRUE(RemoveFile(path));
    EXPECT_FALSE(ReadWholeFile(path, data, 100));
}

} // namespace
} // namespace kv
