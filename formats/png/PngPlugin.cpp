// The PNG plug-in: one picture per file, written as its target format says.
#include "FormatError.h"
#include "FormatPlugin.h"
#include "Png.h"
#include "PngExport.h"
#include "Portable.h"

namespace kvf {
namespace {

constexpr std::uint32_t kPngTypeId = 1;

std::string Describe(Bytes file) {
    const PngInfo info = ReadPngInfo(file);
    std::string text = "PNG image\n" + std::to_string(info.width) + " x " +
                       std::to_string(info.height) + ", " + std::to_string(info.bits) + " bpp";
    if (info.interlaced) text += ", interlaced";
    return text;
}

class PngPlugin final : public FormatPlugin {
  public:
    const char* name() const override { return "PNG"; }
    std::uint32_t version() const override { return KVX_PACK_VERSION(1, 0, 0, 0); }
    std::vector<FileTypeInfo> fileTypes() const override {
        return {{kPngTypeId, "PNG image", {"png"}}};
    }

    // The signature decides; a damaged header is for the import to report.
    bool recognise(Bytes file, Recognition& out) const override {
        if (!IsPng(file)) return false;
        out.typeId = kPngTypeId;
        try {
            out.description = Describe(file);
        } catch (const FormatError&) {
            out.description = "PNG image";
        }
        return true;
    }

    std::vector<Picture> read(Bytes file, const Limits& limits) const override {
        std::vector<Picture> pictures;
        pictures.push_back(DecodePng(file, limits));
        return pictures;
    }

    bool canWrite(std::uint32_t typeId, const PortableDocument& document) const override {
        const auto images = DocumentImages(&document);
        return typeId == kPngTypeId && images.size() == 1 && images[0]->width > 0 &&
               images[0]->height > 0;
    }

    std::vector<std::uint8_t> write(std::uint32_t typeId,
                                    const PortableDocument& document) const override {
        if (!canWrite(typeId, document)) Fail(KVX_ERROR_INVALID_PARAMETER);
        PngExport png;
        PreparePngExport(ReadForExport(DocumentImages(&document)[0], kExportLimits), png);
        return EncodePng(png.output);
    }
};

} // namespace

const FormatPlugin& ThePlugin() {
    static const PngPlugin plugin;
    return plugin;
}

} // namespace kvf
