#pragma once
#include "kvx.h"
#include "model/Project.h"
#include "support/StorageTestSupport.h"

#include <string>
#include <vector>

namespace kv::test {

// The file of a test plug-in built by the project ("test_alpha", "example_pam").
std::string TestPluginFile(const std::string& name);

// A temporary program folder: test plug-ins are copied into its "Plugins"
// folder (copies, so that every test gets a fresh instance of each).
struct PluginFolder : TempDir {
    PluginFolder();
    std::string plugins() const { return home() + "/Plugins/"; }
    void add(const std::string& name) const;
    void addAll(const std::vector<std::string>& names) const;
};

// The four well-behaved test plug-ins.
inline const std::vector<std::string> kGoodTestPlugins = {"test_alpha", "test_beta", "test_gamma",
                                                          "test_delta"};

// The test plug-ins' own file format: key, width, height, B G R A pixels.
std::string TestPictureBytes(const std::string& key, const PixelArray& pixels);

// A project of one image painted from a seed, saved into a file.
void WriteProjectFile(const std::string& path, int images, bool thumbnails);

} // namespace kv::test
