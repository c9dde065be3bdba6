// The BMP plug-in: one picture per file.
#include "BmpCodec.h"
#include "FormatError.h"
#include "FormatPlugin.h"
#include "Portable.h"

namespace kvf {
namespace {

constexpr std::uint32_t kBmpTypeId = 1;

class BmpPlugin final : public FormatPlugin {
  public:
    const char* name() const override { return "BMP"; }
    std::uint32_t version() const override { return KVX_PACK_VERSION(1, 0, 0, 0); }
    std::vector<FileTypeInfo> fileTypes() const override {
        return {{kBmpTypeId, "BMP image", {"bmp", "dib"}}};
    }

    bool recognise(Bytes file, Recognition& out) const override {
        if (!LooksLikeBmp(file)) return false;
        out.typeId = kBmpTypeId;
        try {
            out.description = "BMP image\n" + DescribeBmp(file);
        } catch (const FormatError&) {
            out.description = "BMP image";
        }
        return true;
    }

    std::vector<Picture> read(Bytes file, const Limits& limits) const override {
        std::vector<Picture> pictures;
        pictures.push_back(DecodeBmp(file, limits));
        return pictures;
    }

    bool canWrite(std::uint32_t typeId, const PortableDocument& document) const override {
        const auto images = DocumentImages(&document);
        return typeId == kBmpTypeId && images.size() == 1 && images[0]->width > 0 &&
               images[0]->height > 0;
    }

    // The target format decides the depth: palette targets keep their
    // indices, 24-bit targets lose their mask, 32-bit ones keep alpha.
    std::vector<std::uint8_t> write(std::uint32_t typeId,
                                    const PortableDocument& document) const override {
        if (!canWrite(typeId, document)) Fail(KVX_ERROR_INVALID_PARAMETER);
        const ExportPicture p = ReadForExport(DocumentImages(&document)[0], kExportLimits);
        if (!p.indexed.empty()) return EncodeBmp(p.indexed, p.resolutionX, p.resolutionY);
        if (p.targetBits() == 24)
            return EncodeBmp(DropAlpha(p.rgba, kExportLimits), p.resolutionX, p.resolutionY);
        return EncodeBmp(p.rgba, p.resolutionX, p.resolutionY);
    }
};

} // namespace

const FormatPlugin& ThePlugin() {
    static const BmpPlugin plugin;
    return plugin;
}

} // namespace kvf
