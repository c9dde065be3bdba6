#include "PluginTestSupport.h"

#include <filesystem>

namespace kv::test {

namespace fs = std::filesystem;

std::string TestPluginFile(const std::string& name) {
    return std::string(KORVANE_TEST_PLUGIN_DIR) + "/" + name + ".kvplugin";
}

PluginFolder::PluginFolder() {
    fs::create_directories(plugins());
}

void PluginFolder::add(const std::string& name) const {
    fs::copy_file(TestPluginFile(name), plugins() + name + ".kvplugin");
}

void PluginFolder::addAll(const std::vector<std::string>& names) const {
    for (const std::string& name : names)
        add(name);
}

std::string TestPictureBytes(const std::string& key, const PixelArray& pixels) {
    std::string bytes = key;
    bytes += static_cast<char>(pixels.width());
    bytes += static_cast<char>(pixels.height());
    bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.pixelCount() * 4);
    return bytes;
}

void WriteProjectFile(const std::string& path, int images, bool thumbnails) {
    Project project;
    for (int i = 0; i < images; ++i)
        project.addImage(MakeImage(20 + i, 10, 2, 5u + static_cast<std::uint32_t>(i)));
    ProjectWriterOptions options;
    options.embedThumbnails = thumbnails;
    const Bytes bytes = SaveToMemory(project, options);
    TempXdgHome::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

} // namespace kv::test
