#include "plugins/host/PluginLoader.h"
#include "PluginTestSupport.h"
#include "plugins/host/PluginHost.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kv {
namespace {

using test::PluginFolder;

struct RejectionCase {
    const char* plugin;
    PluginRejection expected;
};

TEST(PluginLoader, EachLoadingRuleAcceptsOrRejects) {
    const RejectionCase cases[] = {
        {"test_alpha", PluginRejection::None},
        {"test_delta", PluginRejection::None}, // SDK exactly 0x00090000
        {"test_oldsdk", PluginRejection::OldSdk},
        {"test_nolink", PluginRejection::MissingFunction},
        {"test_nolasterror", PluginRejection::MissingFunction},
        {"test_emptyname", PluginRejection::EmptyName},
        {"test_linkrefused", PluginRejection::LinkRefused},
        {"example_pam", PluginRejection::None},
    };
    PluginFolder folder;
    for (const RejectionCase& c : cases) {
        folder.add(c.plugin);
        const PluginLoadResult result = LoadPlugin(folder.plugins() + c.plugin + ".kvplugin");
        EXPECT_EQ(result.rejection, c.expected) << c.plugin;
        EXPECT_EQ(result.provider != nullptr, c.expected == PluginRejection::None) << c.plugin;
    }
    test::TempXdgHome::writeFile(folder.plugins() + "junk.kvplugin", "not a library");
    EXPECT_EQ(LoadPlugin(folder.plugins() + "junk.kvplugin").rejection,
              PluginRejection::CannotLoad);
}

std::vector<std::string> ProviderNames(const PluginHost& host) {
    std::vector<std::string> names;
    for (const auto& provider : host.providers())
        names.push_back(provider->name());
    return names;
}

std::vector<std::string> TypeNames(const std::vector<FileTypeEntry>& list) {
    std::vector<std::string> names;
    for (const FileTypeEntry& entry : list)
        names.push_back(entry.name);
    return names;
}

TEST(PluginHost, LoadsTheGoodPluginsOfAFolderAndSortsProvidersAndTypes) {
    PluginFolder folder;
    folder.addAll({"test_gamma", "test_oldsdk", "test_beta", "test_nolink", "example_pam",
                   "test_alpha", "test_emptyname", "test_delta", "test_linkrefused"});
    test::TempXdgHome::writeFile(folder.plugins() + "readme.txt", "not a plug-in");
    PluginHost host;
    EXPECT_EQ(host.loadFolder(folder.plugins()), 5);
    host.buildTypeLists();
    EXPECT_EQ(ProviderNames(host),
              (std::vector<std::string>{"Alpha Test", "Beta Test", "Delta Test", "Gamma Test",
                                        "INTERNAL FORMATS", "PAM example"}));
    EXPECT_EQ(host.importableTypes().size(), 10u); // with the import-only shared types
    EXPECT_EQ(TypeNames(host.exportableTypes()),
              (std::vector<std::string>{"Alpha Test picture", "Beta Test picture",
                                        "Delta Test picture", "Gamma Test picture",
                                        "Korvane project", "Portable arbitrary map"}));
    EXPECT_TRUE(host.importableTypes()[1].hasExtension("SHR"));
}

TEST(PluginHost, StartLoadsBesideTheExecutableAndFromTheInstalledFolder) {
    PluginFolder folder;
    folder.add("test_beta");
    const std::string installed = folder.home() + "/lib/korvane/plugins/";
    std::filesystem::create_directories(installed);
    std::filesystem::copy_file(test::TestPluginFile("test_alpha"),
                               installed + "test_alpha.kvplugin");
    std::filesystem::create_directories(folder.home() + "/bin");
    PluginHost host;
    host.start(folder.home() + "/bin/../");
    EXPECT_EQ(ProviderNames(host), (std::vector<std::string>{"Beta Test", "INTERNAL FORMATS"}));

    PluginHost installedHost;
    installedHost.start(folder.home() + "/bin");
    EXPECT_EQ(ProviderNames(installedHost),
              (std::vector<std::string>{"Alpha Test", "INTERNAL FORMATS"}));
}

} // namespace
} // namespace kv
