#include "plugins/host/BuiltinProvider.h"

#include "model/ModelTypes.h"
#include "plugins/portable/PortableBlocks.h"
#include "storage/project/ProjectPreview.h"

#include <cstring>

namespace kv {
namespace {

// Made once through the host's own service and kept for the process's life.
const FileTypeDescriptor* ProjectFileType() {
    static const FileTypeDescriptor* descriptor = [] {
        FileTypeDescriptor header{};
        header.size = KVX_FILE_TYPE_HEADER_SIZE;
        header.id = kProjectFileTypeId;
        std::strcpy(header.name, kProjectFileTypeName);
        header.extensionCount = 1;
        FileTypeDescriptor* d = CreateFileTypeDescriptor(header);
        std::strcpy(KVXFileTypeExtensions(d)[0].extension, "kvp");
        return d;
    }();
    return descriptor;
}

// The picture as a multi-image with one 32-bit frame named "PREVIEW".
PortableMultiImage* PreviewMultiImage(const PixelArray& picture) {
    PortableMultiImagePtr multi =
        NewPortableMultiImage(KVX_FORMAT_32BPP, picture.width(), picture.height(),
                              kDefaultResolution, kDefaultResolution, 1);
    PortableImagePtr frame = NewPortableFrame(KVX_FRAME_IMAGE, KVX_FORMAT_32BPP, picture.width(),
                                              picture.height(), "PREVIEW");
    if (!picture.isEmpty())
        std::memcpy(KVXImagePixels(frame.get()), picture.data(), picture.pixelCount() * 4);
    KVXMultiImageFrames(multi.get())[0] = frame.release();
    return multi.release();
}

extern "C" {

uint32_t BuiltinGetLastError(char*, uint32_t) {
    return 0;
}

const FileTypeDescriptor* BuiltinFirstFileType() {
    try {
        return ProjectFileType();
    } catch (...) {
        return nullptr;
    }
}

const FileTypeDescriptor* BuiltinNextFileType() {
    return nullptr;
}

// Any failure to read the file is a plain "no", with nothing shown.
int32_t BuiltinCanImport(const char* path, uint32_t* fileTypeId, PortableMultiImage** preview,
                         char* text, uint32_t textSize) {
    try {
        ProjectPreview read;
        if (!path || !ReadProjectPreview(path, preview != nullptr, read)) return 0;
        if (fileTypeId) *fileTypeId = kProjectFileTypeId;
        if (preview && read.hasPicture) *preview = PreviewMultiImage(read.picture);
        if (text && textSize > 0) WriteProjectDescription(read.imageCount, text, textSize);
        return 1;
    } catch (...) {
        return 0;
    }
}

int32_t BuiltinCanExport(uint32_t, const PortableDocument*, uint32_t* extra) {
    if (extra) *extra = 0;
    return 1;
}

} // extern "C"

} // namespace

std::unique_ptr<FormatProvider> MakeBuiltinProvider() {
    ProviderInfo info;
    info.kind = ProviderKind::Builtin;
    info.sdkVersion = 0x01000000;
    info.features = KVX_FEATURE_IMPORT | KVX_FEATURE_EXPORT;
    info.name = kBuiltinProviderName;
    KvxFunctions f;
    f.getLastError = BuiltinGetLastError;
    f.firstImportable = BuiltinFirstFileType;
    f.nextImportable = BuiltinNextFileType;
    f.firstExportable = BuiltinFirstFileType;
    f.nextExportable = BuiltinNextFileType;
    f.canImport = BuiltinCanImport;
    f.canExport = BuiltinCanExport;
    return std::make_unique<FormatProvider>(std::move(info), f);
}

} // namespace kv
