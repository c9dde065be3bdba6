#include "plugins/services/ServiceProc.h"

#include "platform/ErrorReporter.h"
#include "plugins/portable/PortableBlocks.h"
#include "plugins/portable/PortableConversion.h"
#include "plugins/portable/PortableResampling.h"
#include "plugins/services/HostQueries.h"
#include "plugins/services/ServiceError.h"

#include <string>

namespace {

using namespace kv;

// A header a plug-in passes must be there before its size field is read.
template <typename T> const T& Template(const T* header) {
    if (!header) throw PortableError(KVX_ERROR_INVALID_PARAMETER);
    return *header;
}

// Freeing refuses foreign blocks with code 3 instead of touching them.
template <typename T> void Free(T* block, bool (*free)(T*)) {
    SetServiceError(free(block) ? KVX_ERROR_NONE : KVX_ERROR_INVALID_PARAMETER);
}

extern "C" {

uint32_t ServiceGetLastError() {
    return LastServiceError();
}
uint32_t ServiceGetOption(uint32_t id) {
    return RunService<uint32_t>(0, [&] { return HostOption(id); });
}
uint32_t ServiceGetMetric(uint32_t id) {
    return RunService<uint32_t>(0, [&] { return HostMetric(id); });
}
uint32_t ServiceGetColor(uint32_t id) {
    return RunService<uint32_t>(0, [&] { return HostColor(id); });
}
uint32_t ServicePlaceholderCall(uintptr_t, uintptr_t, uintptr_t) {
    return RunService<uint32_t>(0, [] { return ServicePlaceholder(); });
}

PortablePalette* ServiceCreatePalette(const PortablePalette* header) {
    return RunService<PortablePalette*>(nullptr,
                                        [&] { return CreatePortablePalette(Template(header)); });
}
PortableImage* ServiceCreateImage(const PortableImage* header) {
    return RunService<PortableImage*>(nullptr,
                                      [&] { return CreatePortableImage(Template(header)); });
}
PortableMultiImage* ServiceCreateMultiImage(const PortableMultiImage* header) {
    return RunService<PortableMultiImage*>(
        nullptr, [&] { return CreatePortableMultiImage(Template(header)); });
}
PortableDocument* ServiceCreateDocument(const PortableDocument* header) {
    return RunService<PortableDocument*>(nullptr,
                                         [&] { return CreatePortableDocument(Template(header)); });
}
FileTypeDescriptor* ServiceCreateFileType(const FileTypeDescriptor* header) {
    return RunService<FileTypeDescriptor*>(
        nullptr, [&] { return CreateFileTypeDescriptor(Template(header)); });
}

void ServiceFreePalette(PortablePalette* p) {
    Free(p, FreePortablePalette);
}
void ServiceFreeImage(PortableImage* p) {
    Free(p, FreePortableImage);
}
void ServiceFreeMultiImage(PortableMultiImage* p) {
    Free(p, FreePortableMultiImage);
}
void ServiceFreeDocument(PortableDocument* p) {
    Free(p, FreePortableDocument);
}
void ServiceFreeFileType(FileTypeDescriptor* p) {
    Free(p, FreeFileTypeDescriptor);
}

PortablePalette* ServiceClonePalette(const PortablePalette* p) {
    return RunService<PortablePalette*>(nullptr, [&] { return ClonePortablePalette(p); });
}
PortableImage* ServiceCloneImage(const PortableImage* p) {
    return RunService<PortableImage*>(nullptr, [&] { return ClonePortableImage(p); });
}
PortableMultiImage* ServiceCloneMultiImage(const PortableMultiImage* p) {
    return RunService<PortableMultiImage*>(nullptr, [&] { return ClonePortableMultiImage(p); });
}

PortableImage* ServiceConvertImage(PortableImage* p, uint32_t format, int32_t freeSource) {
    return RunService<PortableImage*>(
        nullptr, [&] { return ConvertPortableImage(p, format, freeSource != 0); });
}
PortableMultiImage* ServiceConvertMultiImage(PortableMultiImage* p, uint32_t format,
                                             int32_t freeSource) {
    return RunService<PortableMultiImage*>(
        nullptr, [&] { return ConvertPortableMultiImage(p, format, freeSource != 0); });
}
PortableImage* ServiceResampleImage(const PortableImage* p, int32_t width, int32_t height,
                                    uint32_t filter, const KVXResampleOptions* options) {
    return RunService<PortableImage*>(
        nullptr, [&] { return ResamplePortableImage(p, width, height, filter, options); });
}
PortableMultiImage* ServiceResampleMultiImage(const PortableMultiImage* p, int32_t width,
                                              int32_t height, uint32_t filter,
                                              const KVXResampleOptions* options) {
    return RunService<PortableMultiImage*>(
        nullptr, [&] { return ResamplePortableMultiImage(p, width, height, filter, options); });
}
PortableMultiImage* ServiceFlattenMultiImage(PortableMultiImage* p, int32_t freeSource) {
    return RunService<PortableMultiImage*>(
        nullptr, [&] { return FlattenPortableMultiImage(p, freeSource != 0); });
}
int32_t ServicePremultiply(PortableImage* p) {
    return RunService<int32_t>(0, [&] {
        PremultiplyPortableImage(p);
        return 1;
    });
}

} // extern "C"

struct Service {
    uint32_t id;
    KVXFunction function;
};

template <typename F> KVXFunction Entry(F function) {
    return reinterpret_cast<KVXFunction>(function);
}

const Service kServices[] = {
    {KVX_SC_GET_LAST_ERROR, Entry(ServiceGetLastError)},
    {KVX_SC_GET_OPTION, Entry(ServiceGetOption)},
    {KVX_SC_GET_METRIC, Entry(ServiceGetMetric)},
    {KVX_SC_GET_COLOR, Entry(ServiceGetColor)},
    {KVX_SC_PLACEHOLDER, Entry(ServicePlaceholderCall)},
    {KVX_SC_CREATE_PALETTE, Entry(ServiceCreatePalette)},
    {KVX_SC_CREATE_IMAGE, Entry(ServiceCreateImage)},
    {KVX_SC_CREATE_MULTI_IMAGE, Entry(ServiceCreateMultiImage)},
    {KVX_SC_CREATE_DOCUMENT, Entry(ServiceCreateDocument)},
    {KVX_SC_CREATE_FILE_TYPE, Entry(ServiceCreateFileType)},
    {KVX_SC_FREE_PALETTE, Entry(ServiceFreePalette)},
    {KVX_SC_FREE_IMAGE, Entry(ServiceFreeImage)},
    {KVX_SC_FREE_MULTI_IMAGE, Entry(ServiceFreeMultiImage)},
    {KVX_SC_FREE_DOCUMENT, Entry(ServiceFreeDocument)},
    {KVX_SC_FREE_FILE_TYPE, Entry(ServiceFreeFileType)},
    {KVX_SC_CLONE_PALETTE, Entry(ServiceClonePalette)},
    {KVX_SC_CLONE_IMAGE, Entry(ServiceCloneImage)},
    {KVX_SC_CLONE_MULTI_IMAGE, Entry(ServiceCloneMultiImage)},
    {KVX_SC_CONVERT_IMAGE, Entry(ServiceConvertImage)},
    {KVX_SC_CONVERT_MULTI_IMAGE, Entry(ServiceConvertMultiImage)},
    {KVX_SC_RESAMPLE_IMAGE, Entry(ServiceResampleImage)},
    {KVX_SC_RESAMPLE_MULTI_IMAGE, Entry(ServiceResampleMultiImage)},
    {KVX_SC_FLATTEN_MULTI_IMAGE, Entry(ServiceFlattenMultiImage)},
    {KVX_SC_PREMULTIPLY, Entry(ServicePremultiply)},
};

} // namespace

extern "C" KVXFunction KorvaneServiceProc(uint32_t serviceId) {
    for (const Service& service : kServices)
        if (service.id == serviceId) return service.function;
    try {
        kv::ReportError("Unsupported service call (SCID=" + std::to_string(serviceId) + ")");
    } catch (...) {
        // The answer stays null; nothing may be thrown into a plug-in.
    }
    return nullptr;
}
