#include "FormatTestSupport.h"

#include "model/Layer.h"
#include "model/Palette.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/PluginTransfer.h"
#include "plugins/portable/PortableExport.h"
#include "support/CapturingReporter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace kv::test {

namespace fs = std::filesystem;

FormatHost::FormatHost() {
    const std::string plugins = home() + "/Plugins/";
    fs::create_directories(plugins);
    for (const char* name : {"ico", "png", "bmp"})
        fs::copy_file(std::string(KORVANE_FORMAT_PLUGIN_DIR) + "/" + name + ".kvplugin",
                      plugins + name + ".kvplugin");
    host.loadFolder(plugins);
    host.buildTypeLists();
}

void FormatHost::icoSettings(const std::string& text) const {
    fs::create_directories(config() + "/korvane/plugins");
    writeFile(config() + "/korvane/plugins/ico.conf", text);
}

namespace {

std::string Joined(const std::vector<std::string>& messages) {
    std::string text;
    for (const std::string& m : messages)
        text += (text.empty() ? "" : "; ") + m;
    return text;
}

bool ExportDocumentAs(const PluginHost& host, const PortableDocument* document,
                      const std::string& path, const std::string& typeName, std::string* error) {
    CapturingReporter reporter;
    const FileTypeEntry* type = nullptr;
    for (const FileTypeEntry& e : host.exportableTypes())
        if (e.name == typeName) type = &e;
    EXPECT_TRUE(type) << typeName;
    const bool ok = type && document && ExportDocument(*type, path, *document, nullptr);
    if (error) *error = Joined(reporter.messages);
    return ok;
}

} // namespace

std::unique_ptr<Project> FormatHost::import(const std::string& path, std::string* error) const {
    CapturingReporter reporter;
    const FileTypeChoice choice = ChooseFileType(host, path, false, 0);
    std::unique_ptr<Project> project;
    if (choice.entry)
        project = ImportFile(*choice.entry, path, ImportOptions());
    else
        reporter.messages.push_back(kUnknownFileType);
    if (error) *error = Joined(reporter.messages);
    return project;
}

std::string FormatHost::describe(const std::string& path) const {
    return ChooseFileType(host, path, false, 4096).description;
}

bool FormatHost::exportProject(const Project& project, const std::string& path,
                               const std::string& typeName, std::string* error) const {
    PortableDocumentPtr document = BuildProjectDocument(project);
    return ExportDocumentAs(host, document.get(), path, typeName, error);
}

bool FormatHost::exportImage(const Image& image, const std::string& path,
                             const std::string& typeName, std::string* error) const {
    PortableDocumentPtr document = BuildImageDocument(image);
    return ExportDocumentAs(host, document.get(), path, typeName, error);
}

PixelArray DrawnIcon(std::int32_t width, std::int32_t height, std::uint32_t seed) {
    PixelArray pixels(width, height);
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    const double radius = std::min(width, height) / 2.0;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const double d = std::hypot(x - cx, y - cy) / std::max(radius, 1.0);
            const unsigned r = unsigned(x * 255 / std::max(width - 1, 1) + seed) & 0xFF;
            const unsigned g = unsigned(y * 255 / std::max(height - 1, 1)) & 0xFF;
            const unsigned b = unsigned((x ^ y) * 16 + seed * 5) & 0xFF;
            unsigned a = d < 0.7 ? 255 : d < 1.0 ? unsigned(255 * (1.0 - d) / 0.3) : 0;
            if (x < width / 4 && y < height / 4) a = 255;
            pixels.set(x, y, MakeColor32(r, g, b, a));
        }
    return pixels;
}

std::unique_ptr<Image> ImageOf(const PixelArray& pixels, TargetFormat target) {
    auto image = std::make_unique<Image>();
    {
        ImageUpdateLock lock(*image);
        image->setSize(pixels.width(), pixels.height());
        image->setTargetFormat(target);
        AddLayer(*image, pixels);
    }
    return image;
}

PixelArray ExpectedPixels(const Image& image) {
    PixelArray out;
    if (image.targetFormat() == TargetFormat::Rgba32) {
        out.assign(image.composite());
        return out;
    }
    out.assign(*image.targetPreview());
    for (std::int32_t y = 0; y < out.height(); ++y)
        for (std::int32_t x = 0; x < out.width(); ++x) {
            const Color32 c = out.get(x, y);
            out.set(x, y, WithAlpha(c, AlphaOf(c) >= 128 ? 255 : 0));
        }
    return out;
}

void ExpectSameVisible(const PixelArray& expected, const PixelArray& actual,
                       const std::string& what) {
    ASSERT_EQ(expected.width(), actual.width()) << what;
    ASSERT_EQ(expected.height(), actual.height()) << what;
    for (std::int32_t y = 0; y < expected.height(); ++y)
        for (std::int32_t x = 0; x < expected.width(); ++x) {
            const Color32 e = expected.get(x, y), a = actual.get(x, y);
            if (e == a || (AlphaOf(e) == 0 && AlphaOf(a) == 0)) continue;
            ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << std::hex << a
                          << ", expected " << e;
            return;
        }
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
    if (b.size() < at + 4) b.resize(at + 4);
    for (std::size_t i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

} // namespace kv::test
