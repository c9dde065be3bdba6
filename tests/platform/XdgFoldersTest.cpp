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
                             "XDG_PICTURES_DIR=\"$HOMEPAGE/x\"\n";
    const struct {
        const char* key;
        const char* expected;
    } cases[] = {
        {"XDG_DOCUMENTS_DIR", "/home/u/My \"Docs\""},
        {"XDG_MUSIC_DIR", "/srv/music"},
        {"XDG_VIDEOS_DIR", ""},
        {"XDG_PICTURES_DIR", ""},
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
}

} // namespace
} // namespace kv
