// One source, built as several test plug-ins that differ by one definition:
// well-behaved ones that accept files starting with their four-letter key,
// and ones that break a loading rule or fail in a particular way.
//
// Their file format: the key, one byte width, one byte height, then the
// pixels as B, G, R, A bytes.
#include "kvx.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(TEST_PLUGIN_ALPHA)
#define PLUGIN_NAME "Alpha Test"
#define PLUGIN_KEY "ALPH"
#elif defined(TEST_PLUGIN_BETA)
#define PLUGIN_NAME "Beta Test"
#define PLUGIN_KEY "BETA"
#elif defined(TEST_PLUGIN_GAMMA)
#define PLUGIN_NAME "Gamma Test"
#define PLUGIN_KEY "GAMA"
#elif defined(TEST_PLUGIN_DELTA)
#define PLUGIN_NAME "Delta Test"
#define PLUGIN_KEY "DELT"
#define PLUGIN_SDK 0x00090000u
#elif defined(TEST_PLUGIN_OLDSDK)
#define PLUGIN_SDK 0x0008FFFFu
#elif defined(TEST_PLUGIN_EMPTYNAME)
#define PLUGIN_NAME ""
#endif
#ifndef PLUGIN_NAME
#define PLUGIN_NAME "Rejected Test"
#endif
#ifndef PLUGIN_KEY
#define PLUGIN_KEY "NONE"
#endif
#ifndef PLUGIN_SDK
#define PLUGIN_SDK KVX_SDK_VERSION
#endif

namespace {

constexpr std::uint32_t kPictureType = 10;
constexpr std::uint32_t kSharedType = 11;

KVXServiceProc g_service = nullptr;
std::uint32_t g_linkReserved = 0xFFFFFFFFu;
std::uint32_t g_linkVersion = 0;
int g_adjustCalls = 0;
std::uint32_t g_lastError = 0;
FileTypeDescriptor* g_types[2] = {};
int g_nextType = 0;

// Thrown by the gamma plug-in: a type whose code lives in the plug-in.
struct TestPluginFailure {
    std::string what;
};

template <typename F> F Service(std::uint32_t id) {
    return reinterpret_cast<F>(g_service(id));
}

[[maybe_unused]] FileTypeDescriptor* MakeType(std::uint32_t id, const char* suffix,
                                              const char* extension) {
    FileTypeDescriptor header{};
    header.size = KVX_FILE_TYPE_HEADER_SIZE;
    header.id = id;
    std::snprintf(header.name, sizeof header.name, "%s %s", PLUGIN_NAME, suffix);
    header.extensionCount = 1;
    FileTypeDescriptor* d = Service<KVXCreateFileTypeFn>(KVX_SC_CREATE_FILE_TYPE)(&header);
    std::snprintf(KVXFileTypeExtensions(d)[0].extension, 256, "%s", extension);
    return d;
}

std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool EndsWith(const std::string& text, const char* end) {
    const std::size_t n = std::strlen(end);
    return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

PortableImage* NewFrame(int width, int height, std::uint32_t flags, float opacity) {
    PortableImage header{};
    header.size = KVX_IMAGE_HEADER_SIZE;
    header.frameType = KVX_FRAME_IMAGE;
    header.format = KVX_FORMAT_32BPP;
    header.flags = flags;
    header.width = width;
    header.height = height;
    header.opacity = opacity;
    std::snprintf(header.name, sizeof header.name, "%s layer", PLUGIN_KEY);
    return Service<KVXCreateImageFn>(KVX_SC_CREATE_IMAGE)(&header);
}

PortableMultiImage* NewMultiImage(int width, int height, int frames) {
    PortableMultiImage header{};
    header.size = KVX_MULTI_IMAGE_HEADER_SIZE;
    header.type = KVX_MULTI_IMAGE_TYPE;
    header.format = KVX_FORMAT_32BPP;
    header.width = width;
    header.height = height;
    header.resolutionX = header.resolutionY = 2835.0f;
    header.frameCount = frames;
    return Service<KVXCreateMultiImageFn>(KVX_SC_CREATE_MULTI_IMAGE)(&header);
}

void Fill(PortableImage* frame, std::uint32_t color) {
    auto* pixels = reinterpret_cast<std::uint32_t*>(KVXImagePixels(frame));
    for (int i = 0; i < frame->width * frame->height; ++i)
        pixels[i] = color;
}

// A 300 x 150 preview of two layers: opaque red, and translucent blue over
// its left half, so that the host has to flatten and scale it.
PortableMultiImage* MakePreview() {
    PortableMultiImage* multi = NewMultiImage(300, 150, 2);
    PortableImage* bottom = NewFrame(300, 150, 0, 1.0f);
    PortableImage* top = NewFrame(150, 150, 0, 0.5f);
    Fill(bottom, 0xFFFF0000u);
    Fill(top, 0xFF0000FFu);
    KVXMultiImageFrames(multi)[0] = bottom;
    KVXMultiImageFrames(multi)[1] = top;
    return multi;
}

[[maybe_unused]] PortableDocument* ImportPixels(const std::string& data) {
    if (data.size() < 6) return nullptr;
    const int width = static_cast<unsigned char>(data[4]);
    const int height = static_cast<unsigned char>(data[5]);
    if (data.size() < 6 + std::size_t(width) * height * 4) return nullptr;
    PortableDocument header{};
    header.size = KVX_DOCUMENT_HEADER_SIZE;
    header.count = 1;
    PortableDocument* document = Service<KVXCreateDocumentFn>(KVX_SC_CREATE_DOCUMENT)(&header);
    PortableMultiImage* multi = NewMultiImage(width, height, 1);
    multi->flags = KVX_MULTI_IMAGE_CURRENT;
    PortableImage* frame = NewFrame(width, height, KVX_FRAME_CURRENT, 1.0f);
    std::memcpy(KVXImagePixels(frame), data.data() + 6, std::size_t(width) * height * 4);
    KVXMultiImageFrames(multi)[0] = frame;
    KVXDocumentImages(document)[0] = multi;
    return document;
}

[[maybe_unused]] bool ExportPixels(const char* path, const PortableDocument* document) {
    PortableMultiImage* source = KVXDocumentImages(const_cast<PortableDocument*>(document))[0];
    PortableMultiImage* flat =
        Service<KVXFlattenMultiImageFn>(KVX_SC_FLATTEN_MULTI_IMAGE)(source, 0);
    if (!flat) return false;
    PortableImage* frame = KVXMultiImageFrames(flat)[0];
    std::string data = PLUGIN_KEY;
    data += static_cast<char>(frame->width);
    data += static_cast<char>(frame->height);
    data.append(reinterpret_cast<const char*>(KVXImagePixels(frame)),
                std::size_t(frame->width) * frame->height * 4);
    Service<KVXFreeMultiImageFn>(KVX_SC_FREE_MULTI_IMAGE)(flat);
    std::ofstream out(path, std::ios::binary);
    out << data;
    return bool(out);
}

} // namespace

extern "C" {

uint32_t KVXGetSDKVersion(void) {
    return PLUGIN_SDK;
}
uint32_t KVXGetFeatures(void) {
    return KVX_FEATURE_IMPORT | KVX_FEATURE_EXPORT;
}
void KVXGetName(char* buffer, uint32_t size) {
    std::snprintf(buffer, size, "%s", PLUGIN_NAME);
}
uint32_t KVXGetVersion(void) {
    return KVX_PACK_VERSION(1, 2, 3, 0);
}

#if !defined(TEST_PLUGIN_NOLASTERROR)
uint32_t KVXGetLastError(char* text, uint32_t size) {
#if defined(TEST_PLUGIN_BETA)
    if (g_lastError == KVX_ERROR_INVALID_DATA)
        std::snprintf(text, size, "%s", "Beta cannot read this picture");
#else
    (void)text;
    (void)size;
#endif
    return g_lastError;
}
#endif

#if !defined(TEST_PLUGIN_NOLINK)
int32_t KVXLink(uint32_t reserved, uint32_t hostVersion, KVXServiceProc serviceProc) {
    g_linkReserved = reserved;
    g_linkVersion = hostVersion;
    g_service = serviceProc;
#if defined(TEST_PLUGIN_LINKREFUSED)
    return 0;
#else
    g_types[0] = MakeType(kPictureType, "picture", PLUGIN_KEY);
    g_types[1] = MakeType(kSharedType, "shared", "shr");
    return 1;
#endif
}
#endif

void KVXAdjustUI(void) {
    ++g_adjustCalls;
}

const FileTypeDescriptor* KVXGetFirstImportableFileType(void) {
    g_nextType = 1;
    return g_types[0];
}
const FileTypeDescriptor* KVXGetNextImportableFileType(void) {
    return g_nextType < 2 ? g_types[g_nextType++] : nullptr;
}
const FileTypeDescriptor* KVXGetFirstExportableFileType(void) {
    return g_types[0];
}
const FileTypeDescriptor* KVXGetNextExportableFileType(void) {
    return nullptr;
}

int32_t KVXCanImport(const char* path, uint32_t* fileTypeId, PortableMultiImage** preview,
                     char* text, uint32_t textSize) {
    if (ReadAll(path).compare(0, 4, PLUGIN_KEY) != 0) return 0;
    *fileTypeId = EndsWith(path, ".shr") ? kSharedType : kPictureType;
    if (preview) *preview = MakePreview();
    if (text) std::snprintf(text, textSize, "%s file", PLUGIN_NAME);
    return 1;
}

PortableDocument* KVXImport(void*, const char* path, uint32_t) {
#if defined(TEST_PLUGIN_BETA)
    (void)path;
    g_lastError = KVX_ERROR_INVALID_DATA;
    return nullptr;
#elif defined(TEST_PLUGIN_GAMMA)
    throw std::runtime_error(path);
#else
    PortableDocument* document = ImportPixels(ReadAll(path));
    g_lastError = document ? KVX_ERROR_NONE : KVX_ERROR_END_OF_FILE;
    return document;
#endif
}

int32_t KVXCanExport(uint32_t fileTypeId, const PortableDocument* document, uint32_t*) {
    return fileTypeId == kPictureType && document->count == 1;
}

int32_t KVXExport(void*, const char* path, uint32_t, const PortableDocument* document) {
#if defined(TEST_PLUGIN_BETA)
    (void)path;
    (void)document;
    g_lastError = KVX_ERROR_WRITE_FAILED;
    return 0;
#elif defined(TEST_PLUGIN_GAMMA)
    (void)document;
    throw TestPluginFailure{path};
#else
    const bool written = ExportPixels(path, document);
    g_lastError = written ? KVX_ERROR_NONE : KVX_ERROR_WRITE_FAILED;
    return written;
#endif
}

// For the tests: what the host passed to KVXLink and how often it adjusted.
KVX_EXPORT void TestPluginLinkArguments(uint32_t* reserved, uint32_t* version, int* adjustCalls) {
    *reserved = g_linkReserved;
    *version = g_linkVersion;
    *adjustCalls = g_adjustCalls;
}

} // extern "C"
