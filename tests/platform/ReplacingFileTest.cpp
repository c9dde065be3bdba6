#include "platform/ReplacingFile.h"
#include "platform/WholeFiles.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::TempXdgHome;

// Every name in a folder, hidden files and links included, sorted.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool IsLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class ReplacingFileTest : public ::testing::Test {
  protected:
    std::string at(const std::string& name) const { return home.home() + "/" + name; }
    void link(const std::string& name, const std::string& target) const {
        fs::create_symlink(target, at(name));
    }
    TempXdgHome home;
};

// Links are followed from the folder each one lives in; every link stays a
// link and only the file at the end of the chain changes.
TEST_F(ReplacingFileTest, LinksAreFollowedToTheRealFile) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links; // "$" stands for the home
        const char* given;
        const char* real;
        bool realExists; // a new one is made in dots/
    } cases[] = {
        {"absolute", {{"link.txt", "$/real.txt"}}, "link.txt", "real.txt", true},
        {"chain", {{"a", "b"}, {"b", "dots/c"}, {"dots/c", "../real.txt"}}, "a", "real.txt", true},
        {"into a sub-folder", {{"conf", "dots/conf"}}, "conf", "dots/conf", true},
        {"dangling", {{"link.txt", "dots/made.txt"}}, "link.txt", "dots/made.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(home.home());
        fs::create_directories(at("dots"));
        if (c.realExists) TempXdgHome::writeFile(at(c.real), "old");
        for (const auto& [name, target] : c.links)
            link(name, target[0] == '$' ? home.home() + target.substr(1) : target);
        const std::vector<std::string> before = Names(home.home());
        std::vector<std::string> afterDots = Names(at("dots"));
        if (!c.realExists) afterDots.push_back(fs::path(c.real).filename().string());
        std::sort(afterDots.begin(), afterDots.end());

        std::string error;
        ASSERT_TRUE(WriteFileAtomically(at(c.given), "new", 0644, &error)) << error;
        EXPECT_EQ(TempXdgHome::readFile(at(c.real)), "new");
        for (const auto& entry : c.links)
            EXPECT_TRUE(IsLink(at(entry.first))) << entry.first;
        EXPECT_EQ(Names(home.home()), before) << "no temporary file left behind";
        EXPECT_EQ(Names(at("dots")), afterDots);
    }
}

// The refusal comes before anything is created, so that even run as root a
// device or its folder is never touched.
TEST_F(ReplacingFileTest, RefusesWhatIsNotARegularFileBeforeCreatingAnything) {
    fs::create_directories(at("folder/inside"));
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    link("to-folder", "folder");
    link("loop-a", "loop-b");
    link("loop-b", "loop-a");
    const std::vector<std::string> before = Names(home.home());
    for (const char* name : {"folder", "pipe", "to-folder", "loop-a"}) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(at(name), "x", 0644, &error));
        EXPECT_EQ(error.rfind("Cannot replace " + at(name) + ": ", 0), 0u) << error;
    }
    EXPECT_EQ(Names(home.home()), before);
    EXPECT_EQ(Names(at("folder")), std::vector<std::string>{"inside"});
}

TEST_F(ReplacingFileTest, TheTemporaryFileIsNamedAfterTheRealTargetAndGoesAway) {
    fs::create_directories(at("dots"));
    TempXdgHome::writeFile(at("dots/doc.txt"), "old");
    link("doc.txt", "dots/doc.txt");
    {
        ReplacingFile file(at("doc.txt"));
        EXPECT_EQ(file.targetPath(), at("dots/doc.txt"));
        EXPECT_EQ(file.temporaryPath().rfind(at("dots/.doc.txt.save-"), 0), 0u);
        EXPECT_TRUE(fs::exists(file.temporaryPath()));
        file.write("half");
    } // never committed, as when an exception leaves the save
    EXPECT_EQ(TempXdgHome::readFile(at("doc.txt")), "old");
    EXPECT_EQ(Names(at("dots")), std::vector<std::string>{"doc.txt"});
}

TEST_F(ReplacingFileTest, AReplacedFileKeepsItsModeAndANewOneFollowsTheUmask) {
    const mode_t oldMask = ::umask(027);
    const struct {
        mode_t existing; // 0: no file yet
        mode_t requested;
        mode_t expected;
    } cases[] = {{0640, 0644, 0640}, {0604, 0600, 0604}, {0, 0600, 0600}, {0, 0666, 0640}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.existing);
        const std::string path = at("f.txt");
        fs::remove(path);
        if (c.existing) {
            TempXdgHome::writeFile(path, "old");
            ::chmod(path.c_str(), c.existing);
        }
        EXPECT_TRUE(WriteFileAtomically(path, "new", c.requested));
        EXPECT_EQ(ModeOf(path), c.expected);
    }
    ::umask(oldMask);
}

TEST_F(ReplacingFileTest, FailuresKeepTheOldFileAndLeaveNoTemporaryFile) {
    const std::string path = at("f.txt");
    TempXdgHome::writeFile(path, "precious");
    std::string error;

    // A full disk, as far as this process can tell.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteFileAtomically(path, "longer than four bytes", 0644, &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(TempXdgHome::readFile(path), "precious");
    EXPECT_EQ(Names(home.home()), std::vector<std::string>{"f.txt"});

    // A folder that does not exist cannot take the temporary file.
    EXPECT_FALSE(WriteFileAtomically(at("missing/f.txt"), "x", 0644, &error));
    EXPECT_EQ(Names(home.home()), std::vector<std::string>{"f.txt"});
}

} // namespace
} // namespace kv
