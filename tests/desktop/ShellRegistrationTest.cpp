#include "desktop/ShellRegistration.h"
#include "desktop/DesktopIntegration.h"
#include "desktop/Shell.h"
#include "platform/ExternalProgram.h"
#include "platform/RegistryHive.h"
#include "platform/WholeFiles.h"
#include "settings/Settings.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kv {
namespace {

using test::TempXdgHome;

constexpr const char* kExe = "/opt/Korvane Tools/bin/korvane";

std::string DefaultOf(const RegistryKey& root, const std::string& path) {
    const RegistryKey* k = root.openKey(path);
    const RegistryValue* v = k ? k->queryValue("") : nullptr;
    return v ? v->text() : "<missing>";
}

TEST(ShellRegistration, WritesTheClassKeysOfEveryPart) {
    RegistryKey root;
    ShellRegistration shell(kExe);
    ASSERT_TRUE(shell.registerParts(root, kShellEverything));
    // Someone else changed a value in between: a second run puts ours back.
    root.openKey(".kvp")->setValue("", RegistryValue::string("Other.Project"));
    ASSERT_TRUE(shell.registerParts(root, kShellEverything));
    const std::pair<const char*, const char*> expected[] = {
        {"Applications\\korvane\\shell\\open\\command",
         "\"/opt/Korvane Tools/bin/korvane\" -i \"%1\""},
        // One file type stands for all: they come from one table.
        {".kvp", "Korvane.Project"},
        // Icon references are never quoted, even with blanks in the path.
        {"Korvane.Project\\DefaultIcon", "/opt/Korvane Tools/bin/korvane,2"},
        {"Korvane.Colors\\DefaultIcon", "/opt/Korvane Tools/bin/korvane,3"},
        {"Korvane.Project\\shell\\open\\command", "\"/opt/Korvane Tools/bin/korvane\" \"%1\""},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(DefaultOf(root, key), value) << key;
    EXPECT_EQ(root.openKey("Korvane.Plugin\\shell"), nullptr);
}

// Our class keys go with foreign subkeys; so does whatever class an
// extension names by then, while a class nobody points at stays.
TEST(ShellRegistration, UnregisteringDeletesTheClassesTheExtensionsName) {
    RegistryKey root;
    ShellRegistration shell(kExe);
    ASSERT_TRUE(shell.registerParts(root, kShellEverything));
    root.createKey("Korvane.Project\\shell\\print\\command")
        ->setValue("", RegistryValue::string("lp"));
    root.createKey(".png")->setValue("", RegistryValue::string("pngfile"));
    root.openKey(".kvcolors")->setValue("", RegistryValue::string("Some.Palette"));
    root.createKey("Some.Palette\\DefaultIcon");
    EXPECT_TRUE(shell.unregister(root));
    std::vector<std::string> left = root.subkeyNames();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".png", "Applications", "Korvane.Colors"}));
    EXPECT_TRUE(root.openKey("Applications")->subkeys().empty());
    EXPECT_FALSE(shell.unregister(root)); // nothing left: every key is missing
}

// Everything goes into the classes hive and the data folder, and
// unregistering takes exactly that away again.
TEST(Shell, RegisterAndUnregisterEverything) {
    TempXdgHome home;
    TempXdgHome::writeFile(home.data() + "/applications/other.desktop", "[Desktop Entry]\n");
    const auto before = TempXdgHome::listFiles(home.data());
    ASSERT_TRUE(RegisterShell(kShellEverything, kExe));
    {
        RegistryHive classes(HiveId::ClassesRoot);
        EXPECT_EQ(DefaultOf(classes.root(), ".kvp"), "Korvane.Project");
    }
    const DesktopIntegration desktop(home.data(), kExe);
    for (const std::string& file : desktop.files(kShellEverything))
        EXPECT_FALSE(TempXdgHome::readFile(file).empty()) << file;
    EXPECT_EQ(desktop.files(kShellEverything).size(), 3u + 4u * 4u);
    const bool haveMimeTool = !FindProgramInPath("update-mime-database").empty();
    const std::string globs = home.data() + "/mime/globs2";
    if (haveMimeTool) {
        EXPECT_NE(TempXdgHome::readFile(globs).find("application/x-korvane-project:*.kvp"),
                  std::string::npos);
    }

    ASSERT_EQ(UnregisterShellExitCode(kExe), 0);
    RegistryHive classes(HiveId::ClassesRoot);
    EXPECT_EQ(classes.root().openKey(".kvp"), nullptr);
    EXPECT_EQ(classes.root().openKey("Applications\\korvane"), nullptr);
    for (const std::string& file : TempXdgHome::listFiles(home.data())) {
        const bool ours = std::find(before.begin(), before.end(), file) != before.end();
        // What remains is the untouched entry and the caches the tools rebuilt
        // (the MIME database, and the desktop database's cache where its tool
        // is installed).
        const bool cache = file.rfind("mime/", 0) == 0 || file == "applications/mimeinfo.cache";
        EXPECT_TRUE(ours || cache) << file;
        EXPECT_EQ(file.find("korvane"), std::string::npos) << file;
    }
    if (haveMimeTool) {
        EXPECT_EQ(TempXdgHome::readFile(globs).find("korvane"), std::string::npos);
    }
    EXPECT_FALSE(UnregisterShell(kExe)); // nothing left to remove
}

TEST(Shell, StartupRegistrationFollowsItsSetting) {
    TempXdgHome home;
    CreateSettings();
    EXPECT_FALSE(RegisterFileTypesIfWanted(kExe));
    EXPECT_FALSE(FileExists(RegistryHive::filePath(HiveId::ClassesRoot)));
    Settings().boolSetting("Shell.RegisterFileTypesOnStartup").setValue(true);
    EXPECT_TRUE(RegisterFileTypesIfWanted(kExe));
    RegistryHive classes(HiveId::ClassesRoot);
    EXPECT_EQ(DefaultOf(classes.root(), ".kvcolors"), "Korvane.Colors");
    EXPECT_EQ(classes.root().openKey("Applications"), nullptr);
    const DesktopIntegration desktop(home.data(), kExe); // only the file types' files
    EXPECT_TRUE(TempXdgHome::readFile(desktop.desktopEntryPath()).empty());
    EXPECT_FALSE(TempXdgHome::readFile(desktop.mimePackagePath()).empty());
    DestroySettings();
}

} // namespace
} // namespace kv
