// The KVX functions of a format plug-in, over its FormatPlugin. Built into
// each plug-in (not a library) so that the exports are always linked.
#include "FormatError.h"
#include "FormatPlugin.h"
#include "Portable.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace kvf {
namespace {

std::uint32_t gLastError = 0;
std::string gLastMessage;
std::vector<FileTypeDescriptor*> gTypes;
std::size_t gNextImportable = 0;
std::size_t gNextExportable = 0;

// Runs a call, turning whatever escapes it into the last error.
template <typename Result, typename Call> Result Guarded(Result failed, Call call) {
    gLastError = 0;
    gLastMessage.clear();
    try {
        return call();
    } catch (const FormatError& e) {
        gLastError = e.code;
        gLastMessage = e.message;
    } catch (const std::bad_alloc&) {
        gLastError = KVX_ERROR_OUT_OF_MEMORY;
    } catch (...) {
        gLastError = KVX_ERROR_PLUGIN;
    }
    return failed;
}

FileTypeDescriptor* MakeFileType(const FileTypeInfo& type, KVXServiceProc services) {
    FileTypeDescriptor header{};
    header.size = KVX_FILE_TYPE_HEADER_SIZE;
    header.id = type.id;
    std::snprintf(header.name, sizeof header.name, "%s", type.name.c_str());
    header.extensionCount = std::int32_t(type.extensions.size());
    auto create = reinterpret_cast<KVXCreateFileTypeFn>(services(KVX_SC_CREATE_FILE_TYPE));
    FileTypeDescriptor* d = create ? create(&header) : nullptr;
    if (!d) return nullptr;
    for (std::size_t i = 0; i < type.extensions.size(); ++i)
        std::snprintf(KVXFileTypeExtensions(d)[i].extension, 256, "%s", type.extensions[i].c_str());
    return d;
}

const FileTypeDescriptor* NextType(std::size_t& next) {
    return next < gTypes.size() ? gTypes[next++] : nullptr;
}

PortableMultiImage* Preview(Bytes file) {
    const std::vector<Picture> pictures = ThePlugin().read(file, Limits());
    if (pictures.empty()) return nullptr;
    return MakeMultiImage(pictures[ThePlugin().previewIndex(pictures)]).release();
}

} // namespace

std::size_t FormatPlugin::previewIndex(const std::vector<Picture>&) const {
    return 0;
}

} // namespace kvf

using namespace kvf;

uint32_t KVXGetSDKVersion(void) {
    return KVX_SDK_VERSION;
}
uint32_t KVXGetFeatures(void) {
    return KVX_FEATURE_IMPORT | KVX_FEATURE_EXPORT;
}
void KVXGetName(char* buffer, uint32_t size) {
    if (buffer && size) std::snprintf(buffer, size, "%s", ThePlugin().name());
}
uint32_t KVXGetVersion(void) {
    return ThePlugin().version();
}

uint32_t KVXGetLastError(char* text, uint32_t size) {
    if (text && size && !gLastMessage.empty())
        std::snprintf(text, size, "%s", gLastMessage.c_str());
    return gLastError;
}

int32_t KVXLink(uint32_t, uint32_t hostVersion, KVXServiceProc serviceProc) {
    if (hostVersion < KVX_HOST_INTERFACE_VERSION || !serviceProc) return 0;
    return Guarded<int32_t>(0, [&] {
        LinkServices(serviceProc);
        // Loaded again after an unload that did not take: start afresh.
        auto freeType = reinterpret_cast<KVXFreeFileTypeFn>(serviceProc(KVX_SC_FREE_FILE_TYPE));
        for (FileTypeDescriptor* d : gTypes)
            if (freeType) freeType(d);
        gTypes.clear();
        for (const FileTypeInfo& type : ThePlugin().fileTypes()) {
            FileTypeDescriptor* d = MakeFileType(type, serviceProc);
            if (!d) return 0;
            gTypes.push_back(d);
        }
        return 1;
    });
}

const FileTypeDescriptor* KVXGetFirstImportableFileType(void) {
    gNextImportable = 0;
    return NextType(gNextImportable);
}
const FileTypeDescriptor* KVXGetNextImportableFileType(void) {
    return NextType(gNextImportable);
}
const FileTypeDescriptor* KVXGetFirstExportableFileType(void) {
    gNextExportable = 0;
    return NextType(gNextExportable);
}
const FileTypeDescriptor* KVXGetNextExportableFileType(void) {
    return NextType(gNextExportable);
}

int32_t KVXCanImport(const char* path, uint32_t* fileTypeId, PortableMultiImage** preview,
                     char* text, uint32_t textSize) {
    if (!path || !fileTypeId) return 0;
    return Guarded<int32_t>(0, [&] {
        const std::vector<std::uint8_t> file = ReadWholeFile(path);
        Recognition found;
        if (!ThePlugin().recognise(file, found)) return 0;
        *fileTypeId = found.typeId;
        if (text && textSize) std::snprintf(text, textSize, "%s", found.description.c_str());
        if (preview) {
            // A file too damaged to show still counts as ours: importing it
            // then says what is wrong.
            Guarded<int32_t>(0, [&] {
                *preview = Preview(file);
                return 1;
            });
        }
        return 1;
    });
}

PortableDocument* KVXImport(void*, const char* path, uint32_t) {
    return Guarded<PortableDocument*>(nullptr, [&] {
        if (!path) Fail(KVX_ERROR_INVALID_PARAMETER);
        const std::vector<std::uint8_t> file = ReadWholeFile(path);
        return MakeDocument(ThePlugin().read(file, Limits())).release();
    });
}

int32_t KVXCanExport(uint32_t fileTypeId, const PortableDocument* document, uint32_t*) {
    return Guarded<int32_t>(
        0, [&] { return document && ThePlugin().canWrite(fileTypeId, *document) ? 1 : 0; });
}

int32_t KVXExport(void*, const char* path, uint32_t fileTypeId, const PortableDocument* document) {
    return Guarded<int32_t>(0, [&] {
        if (!path || !document) Fail(KVX_ERROR_INVALID_PARAMETER);
        const std::vector<std::uint8_t> bytes = ThePlugin().write(fileTypeId, *document);
        WriteWholeFile(path, bytes);
        return 1;
    });
}
