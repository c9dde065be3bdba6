// The ICO and CUR plug-in: icons and cursors of any number of images.
#include "FormatError.h"
#include "FormatPlugin.h"
#include "IconCodec.h"
#include "IconSettings.h"
#include "Portable.h"

#include <algorithm>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>

namespace kvf {
namespace {

constexpr std::uint32_t kIcoTypeId = 1;
constexpr std::uint32_t kCurTypeId = 2;
constexpr std::size_t kMaxEntries = 65535;
const char* const kTooLargeForIcons = "Icons and cursors hold images of at most 256 x 256 pixels";

bool FitsAnEntry(const PortableMultiImage* image) {
    return image->width > 0 && image->height > 0 && image->width <= kMaxIconSide &&
           image->height <= kMaxIconSide;
}

// Visible where alpha is at least half, as the host's masks have it.
Raster HalfOpaque(const Raster& rgba) {
    Raster visible(rgba.width(), rgba.height(), 1, kExportLimits);
    for (std::int32_t y = 0; y < rgba.height(); ++y)
        for (std::int32_t x = 0; x < rgba.width(); ++x)
            visible.setIndex(x, y, rgba.row(y)[4 * x + 3] >= 128);
    return visible;
}

// A 32-bit entry's AND bitmap hides exactly what alpha hides completely, so
// that a reader using both never cuts into a visible pixel.
Raster AnyAlpha(const Raster& rgba) {
    Raster visible(rgba.width(), rgba.height(), 1, kExportLimits);
    for (std::int32_t y = 0; y < rgba.height(); ++y)
        for (std::int32_t x = 0; x < rgba.width(); ++x)
            visible.setIndex(x, y, rgba.row(y)[4 * x + 3] != 0);
    return visible;
}

// 24-bit images have no alpha: their mask makes pixels wholly visible or not.
Raster TwoLevelAlpha(Raster rgba) {
    for (std::int32_t y = 0; y < rgba.height(); ++y)
        for (std::int32_t x = 0; x < rgba.width(); ++x) {
            std::uint8_t& a = rgba.row(y)[4 * x + 3];
            a = a >= 128 ? 255 : 0;
        }
    return rgba;
}

bool WantsPng(const ExportPicture& p, PngEntries setting) {
    if (setting == PngEntries::All) return true;
    return setting == PngEntries::Large && p.width == kMaxIconSide && p.height == kMaxIconSide;
}

IconEntryData EncodeEntry(const ExportPicture& p, const IconSettings& settings) {
    if (WantsPng(p, settings.png)) return EncodeIconPng(p.rgba, p.resolutionX, p.resolutionY);
    if (!p.indexed.empty()) return EncodeIconBitmap(p.indexed, HalfOpaque(p.rgba));
    const Raster rgba = p.targetBits() == 24 ? TwoLevelAlpha(p.rgba) : p.rgba;
    return EncodeIconBitmap(rgba, AnyAlpha(rgba));
}

std::string Describe(Bytes file, std::uint16_t type) {
    const std::vector<std::string> lines = DescribeIconEntries(file);
    std::string text = type == kCursorType ? "Cursor" : "Icon";
    text += ", " + std::to_string(lines.size()) + (lines.size() == 1 ? " image" : " images");
    for (const std::string& line : lines)
        text += "\n" + line;
    return text;
}

class IconPlugin final : public FormatPlugin {
  public:
    const char* name() const override { return "ICO and CUR"; }
    std::uint32_t version() const override { return KVX_PACK_VERSION(1, 0, 0, 0); }
    std::vector<FileTypeInfo> fileTypes() const override {
        return {{kIcoTypeId, "ICO icon", {"ico"}}, {kCurTypeId, "CUR cursor", {"cur"}}};
    }

    bool recognise(Bytes file, Recognition& out) const override {
        try {
            const IconDirectory d = ReadIconDirectory(file);
            out.typeId = d.type == kCursorType ? kCurTypeId : kIcoTypeId;
            out.description = Describe(file, d.type);
            return true;
        } catch (const FormatError&) {
            return false;
        }
    }

    std::vector<Picture> read(Bytes file, const Limits& limits) const override {
        std::vector<Picture> pictures;
        for (IconImage& image : DecodeIcon(file, limits)) {
            image.picture.fileBits = image.bits;
            pictures.push_back(std::move(image.picture));
        }
        return pictures;
    }

    // The largest entry, and of those the deepest.
    std::size_t previewIndex(const std::vector<Picture>& pictures) const override {
        const auto rank = [](const Picture& p) {
            return std::uint64_t(p.image.width()) * std::uint64_t(p.image.height()) * 64 +
                   p.fileBits;
        };
        return std::size_t(std::max_element(pictures.begin(), pictures.end(),
                                            [&](const Picture& a, const Picture& b) {
                                                return rank(a) < rank(b);
                                            }) -
                           pictures.begin());
    }

    bool canWrite(std::uint32_t typeId, const PortableDocument& document) const override {
        const auto images = DocumentImages(&document);
        return (typeId == kIcoTypeId || typeId == kCurTypeId) && !images.empty() &&
               images.size() <= kMaxEntries &&
               std::all_of(images.begin(), images.end(), FitsAnEntry);
    }

    std::vector<std::uint8_t> write(std::uint32_t typeId,
                                    const PortableDocument& document) const override {
        const auto images = DocumentImages(&document);
        if (typeId != kIcoTypeId && typeId != kCurTypeId) Fail(KVX_ERROR_INVALID_PARAMETER);
        if (images.empty() || images.size() > kMaxEntries) Fail(KVX_ERROR_INVALID_PARAMETER);
        if (!std::all_of(images.begin(), images.end(), FitsAnEntry))
            Fail(kUnsupported, kTooLargeForIcons);
        const IconSettings settings = LoadIconSettings();
        std::vector<IconEntryData> entries;
        for (const PortableMultiImage* image : images) {
            IconEntryData entry = EncodeEntry(ReadForExport(image, kExportLimits), settings);
            if (typeId == kCurTypeId)
                SetHotspot(entry, std::min<std::uint16_t>(settings.hotspotX, image->width - 1),
                           std::min<std::uint16_t>(settings.hotspotY, image->height - 1));
            entries.push_back(std::move(entry));
        }
        return WriteIconFile(typeId == kCurTypeId ? kCursorType : kIconType, std::move(entries));
    }
};

} // namespace

const FormatPlugin& ThePlugin() {
    static const IconPlugin plugin;
    return plugin;
}

} // namespace kvf

// The settings live in a file (see IconSettings.h): the button creates it
// with its defaults when needed and opens it in the desktop's editor.
void KVXSettings(void* ownerWindow) {
    try {
        kvf::EnsureIconSettingsFile();
        if (!ownerWindow) return;
        const std::string path = kvf::IconSettingsPath();
        char sh[] = "sh", dashC[] = "-c", script[] = "xdg-open \"$1\" >/dev/null 2>&1 &";
        char* argv[] = {sh, dashC, script, sh, const_cast<char*>(path.c_str()), nullptr};
        pid_t child = 0;
        if (posix_spawnp(&child, "sh", nullptr, nullptr, argv, environ) == 0)
            waitpid(child, nullptr, 0);
    } catch (...) {
        // Nothing to report through: the dialog simply does not open.
    }
}
