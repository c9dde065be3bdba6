/*
 * kvx.h: the interface between Korvane and its format plug-ins.
 *
 * A plug-in is an ELF shared object named NAME.kvplugin that exports the KVX
 * functions declared below. The host finds plug-ins in "Plugins/" beside its
 * executable and, for an installed program, in "../lib/korvane/plugins/"
 * relative to it. Plain C99; nothing else is needed to build a plug-in.
 *
 * Every portable structure starts with its header size and is one block:
 * its variable part (entries, pointers) starts at the offset that the size
 * field gives, so that headers can grow. Reach the variable part through
 * the KVX...() accessors below, never through sizeof. The structures are
 * made, copied and freed by the host's services (see KVXServiceProc); a
 * structure the host did not allocate is refused.
 *
 * The interface is 64-bit: pointers take 8 bytes, and the headers that
 * precede pointers are padded to a multiple of 8.
 */
#ifndef KVX_H
#define KVX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KVX_EXPORT __attribute__((visibility("default")))
#else
#define KVX_EXPORT
#endif

/* ---- versions ---------------------------------------------------------- */

/* What KVXGetSDKVersion answers for a plug-in built with this header. */
#define KVX_SDK_VERSION 0x01000000u
/* Plug-ins reporting an older SDK are not loaded. */
#define KVX_MIN_SDK_VERSION 0x00090000u
/* The host's interface version, the second argument of KVXLink. */
#define KVX_HOST_INTERFACE_VERSION 0x01000000u
/* A version word: major, minor, build, revision from the top byte down. */
#define KVX_PACK_VERSION(major, minor, build, revision)                                            \
    ((uint32_t)(((major)&0xFFu) << 24 | ((minor)&0xFFu) << 16 | ((build)&0xFFu) << 8 |             \
                ((revision)&0xFFu)))

/* ---- feature bits of KVXGetFeatures ------------------------------------ */

#define KVX_FEATURE_IMPORT 0x4u /* enumerates importable file types */
#define KVX_FEATURE_EXPORT 0x8u /* enumerates exportable file types */

/* ---- error codes (KVXGetLastError and the service error) --------------- */

#define KVX_ERROR_NONE 0u                /* nothing is shown */
#define KVX_ERROR_PLUGIN 1u              /* "Plugin error" */
#define KVX_ERROR_INCOMPATIBLE_SDK 2u    /* "Incompatible SDK" */
#define KVX_ERROR_INVALID_PARAMETER 3u   /* "Invalid parameter" */
#define KVX_ERROR_INVALID_DATA 4u        /* "Invalid data" */
#define KVX_ERROR_UNSUPPORTED_FORMAT 5u  /* "Unsupported format" */
#define KVX_ERROR_OUT_OF_MEMORY 6u       /* "Cannot allocate memory" */
#define KVX_ERROR_QUIET 7u               /* nothing is shown (cancelled, or already told) */
#define KVX_ERROR_CANNOT_CREATE_FILE 10u /* "Cannot create file" */
#define KVX_ERROR_CANNOT_ACCESS_FILE 11u /* "Cannot access file" */
#define KVX_ERROR_WRITE_FAILED 12u       /* "File write failed" */
#define KVX_ERROR_READ_FAILED 13u        /* "File read failed" */
#define KVX_ERROR_END_OF_FILE 14u        /* "Unexpected end of file" */

/* Size of the buffers the host hands to KVXGetName and KVXGetLastError. */
#define KVX_NAME_BUFFER_SIZE 256u
#define KVX_ERROR_BUFFER_SIZE 4096u

/* ---- pixel formats: bits per pixel << 16 ------------------------------- */

#define KVX_FORMAT_32BPP 0x200000u /* Color32 words: bytes B, G, R, A */
#define KVX_FORMAT_24BPP 0x180000u /* bytes B, G, R */
#define KVX_FORMAT_8BPP 0x80000u   /* palette indices */
#define KVX_FORMAT_4BPP 0x40000u   /* palette indices, high nibble first */
#define KVX_FORMAT_1BPP 0x10000u   /* palette indices or mask bits, top bit first */
#define KVX_FORMAT_BITS(format) ((uint32_t)(format) >> 16)

/* ---- field values ------------------------------------------------------ */

#define KVX_PALETTE_TYPE 1u
#define KVX_MULTI_IMAGE_TYPE 1u
#define KVX_FRAME_IMAGE 1u           /* PortableImage.frameType */
#define KVX_FRAME_MASK 2u            /* 1 bpp; a 0 bit makes the pixel transparent */
#define KVX_FRAME_CURRENT 0x2u       /* PortableImage.flags: the current layer */
#define KVX_FRAME_HIDDEN 0x4u        /* PortableImage.flags: a hidden layer */
#define KVX_MULTI_IMAGE_CURRENT 0x2u /* PortableMultiImage.flags: the current image */

/* ---- service ids (KVXServiceProc) -------------------------------------- */

#define KVX_SC_GET_LAST_ERROR 0x0100u /* KVXGetServiceErrorFn */
#define KVX_SC_GET_OPTION 0x0200u     /* KVXGetOptionFn */
#define KVX_SC_GET_METRIC 0x0201u     /* KVXGetMetricFn */
#define KVX_SC_GET_COLOR 0x0202u      /* KVXGetColorFn */
#define KVX_SC_PLACEHOLDER 0x0300u    /* KVXPlaceholderFn: always fails with code 1 */
#define KVX_SC_CREATE_PALETTE 0x1000u
#define KVX_SC_CREATE_IMAGE 0x1001u
#define KVX_SC_CREATE_MULTI_IMAGE 0x1002u
#define KVX_SC_CREATE_DOCUMENT 0x1003u
#define KVX_SC_CREATE_FILE_TYPE 0x1010u
#define KVX_SC_FREE_PALETTE 0x1100u
#define KVX_SC_FREE_IMAGE 0x1101u
#define KVX_SC_FREE_MULTI_IMAGE 0x1102u
#define KVX_SC_FREE_DOCUMENT 0x1103u
#define KVX_SC_FREE_FILE_TYPE 0x1110u
#define KVX_SC_CLONE_PALETTE 0x1200u
#define KVX_SC_CLONE_IMAGE 0x1201u
#define KVX_SC_CLONE_MULTI_IMAGE 0x1202u
#define KVX_SC_CONVERT_IMAGE 0x1300u
#define KVX_SC_CONVERT_MULTI_IMAGE 0x1301u
#define KVX_SC_RESAMPLE_IMAGE 0x1310u
#define KVX_SC_RESAMPLE_MULTI_IMAGE 0x1311u
#define KVX_SC_FLATTEN_MULTI_IMAGE 0x1320u
#define KVX_SC_PREMULTIPLY 0x1400u

/* Ids for the option, metric and color services. */
#define KVX_OPTION_0 0x1000u             /* answers 0 */
#define KVX_OPTION_1 0x1001u             /* answers 0 */
#define KVX_METRIC_CONSTANT 0x1000u      /* answers 30000000 */
#define KVX_METRIC_PREVIEW_WIDTH 0x1001u /* file-dialog preview area, pixels */
#define KVX_METRIC_PREVIEW_HEIGHT 0x1002u
#define KVX_COLOR_PANEL 1u          /* the host's panel background */
#define KVX_COLOR_CHEQUER_A 0x1000u /* the two colors of transparent areas */
#define KVX_COLOR_CHEQUER_B 0x1001u
/* Colors are answered as 0xAARRGGBB. */

#define KVX_FILTER_DEFAULT 1u /* the only resampling filter */

/* ---- structures -------------------------------------------------------- */

/* One extension of a file type: 260 bytes. */
typedef struct FileTypeExtension {
    uint32_t reserved;   /* 0 */
    char extension[256]; /* without the dot, zero-terminated */
} FileTypeExtension;

/* A file type a provider offers; extensionCount entries follow the header. */
typedef struct FileTypeDescriptor {
    uint32_t size;          /* header size, KVX_FILE_TYPE_HEADER_SIZE */
    uint32_t id;            /* chosen by the provider, unique within it */
    uint32_t reserved;      /* 0 */
    char name[256];         /* shown in file dialogs, zero-terminated */
    int32_t extensionCount; /* entries after the header */
} FileTypeDescriptor;

/* A palette color; each component 0..255. */
typedef struct PortablePaletteEntry {
    uint32_t a;
    uint32_t r;
    uint32_t g;
    uint32_t b;
} PortablePaletteEntry;

/* count entries follow the header. */
typedef struct PortablePalette {
    uint32_t size;     /* header size, KVX_PALETTE_HEADER_SIZE */
    uint32_t type;     /* KVX_PALETTE_TYPE */
    uint32_t reserved; /* 0 */
    int32_t count;
} PortablePalette;

/*
 * One frame. The pointer to the pixel buffer follows the header. Pixels:
 * height rows, top row first, each (bits x width + 7) / 8 bytes without
 * further padding; pixels narrower than a byte are packed from the most
 * significant bit down, the last byte of a row padded with zero bits.
 */
typedef struct PortableImage {
    uint32_t size;      /* header size, KVX_IMAGE_HEADER_SIZE */
    uint32_t frameType; /* KVX_FRAME_IMAGE or KVX_FRAME_MASK */
    uint32_t format;    /* KVX_FORMAT_... */
    uint32_t flags;     /* KVX_FRAME_CURRENT, KVX_FRAME_HIDDEN */
    int32_t width;
    int32_t height;
    int32_t left; /* position within the multi-image */
    int32_t top;
    PortablePalette* palette; /* null above 16 bits per pixel */
    float opacity;            /* 0..1 */
    char name[256];           /* zero-terminated */
    uint32_t padding;         /* 0: keeps the pixel pointer aligned */
} PortableImage;

/* An image with its frames; frameCount frame pointers follow the header. */
typedef struct PortableMultiImage {
    uint32_t size;   /* header size, KVX_MULTI_IMAGE_HEADER_SIZE */
    uint32_t type;   /* KVX_MULTI_IMAGE_TYPE */
    uint32_t format; /* the format the image is meant to be saved in */
    uint32_t flags;  /* KVX_MULTI_IMAGE_CURRENT */
    int32_t width;
    int32_t height;
    float resolutionX; /* pixels per metre */
    float resolutionY;
    int32_t frameCount;
    uint32_t padding; /* 0 */
} PortableMultiImage;

/* What is imported or exported; count multi-image pointers follow. */
typedef struct PortableDocument {
    uint32_t size;     /* header size, KVX_DOCUMENT_HEADER_SIZE */
    uint32_t reserved; /* 0 */
    int32_t count;
    uint32_t padding; /* 0 */
} PortableDocument;

/*
 * Options of the resampling services. The host reads at most 16 bytes and
 * only as far as size says; fields beyond it keep their defaults.
 */
typedef struct KVXResampleOptions {
    uint32_t size;              /* bytes that count, usually sizeof */
    uint32_t smoothEnlargement; /* default 1: enlarge by interpolation */
    uint32_t totalSampleBudget; /* default 0: unlimited */
    uint32_t samplesPerPixel;   /* default 0: unlimited */
} KVXResampleOptions;

#define KVX_FILE_TYPE_HEADER_SIZE 272u
#define KVX_FILE_TYPE_EXTENSION_SIZE 260u
#define KVX_PALETTE_HEADER_SIZE 16u
#define KVX_PALETTE_ENTRY_SIZE 16u
#define KVX_IMAGE_HEADER_SIZE 304u
#define KVX_MULTI_IMAGE_HEADER_SIZE 40u
#define KVX_DOCUMENT_HEADER_SIZE 16u

/* ---- the variable parts ------------------------------------------------ */

static inline FileTypeExtension* KVXFileTypeExtensions(FileTypeDescriptor* d) {
    return (FileTypeExtension*)((char*)d + d->size);
}
static inline PortablePaletteEntry* KVXPaletteEntries(PortablePalette* p) {
    return (PortablePaletteEntry*)((char*)p + p->size);
}
/* The slot holding the pixel buffer's address. */
static inline uint8_t** KVXImagePixelSlot(PortableImage* image) {
    return (uint8_t**)((char*)image + image->size);
}
static inline uint8_t* KVXImagePixels(PortableImage* image) {
    return *KVXImagePixelSlot(image);
}
static inline size_t KVXImageRowBytes(const PortableImage* image) {
    return ((size_t)KVX_FORMAT_BITS(image->format) * (size_t)image->width + 7) / 8;
}
static inline PortableImage** KVXMultiImageFrames(PortableMultiImage* m) {
    return (PortableImage**)((char*)m + m->size);
}
static inline PortableMultiImage** KVXDocumentImages(PortableDocument* d) {
    return (PortableMultiImage**)((char*)d + d->size);
}

/* ---- host services ----------------------------------------------------- */

typedef void (*KVXFunction)(void);
/* Answers the host function for a service id (cast it to its type below),
 * or null after showing "Unsupported service call (SCID=...)". */
typedef KVXFunction (*KVXServiceProc)(uint32_t serviceId);

/*
 * Every service first clears the calling thread's service error and sets it
 * when it fails, answering null or 0. Create calls copy the caller's filled
 * header (sizes from its size field, counts and the pixel buffer size from
 * its fields); new entries and pointers are zero, and a new image never
 * shares the template's palette. Free calls ignore null. A service that is
 * told to free its source does so only when it succeeds.
 */
typedef uint32_t (*KVXGetServiceErrorFn)(void);
typedef uint32_t (*KVXGetOptionFn)(uint32_t optionId);
typedef uint32_t (*KVXGetMetricFn)(uint32_t metricId);
typedef uint32_t (*KVXGetColorFn)(uint32_t colorId);
typedef uint32_t (*KVXPlaceholderFn)(uintptr_t, uintptr_t, uintptr_t);
typedef PortablePalette* (*KVXCreatePaletteFn)(const PortablePalette* header);
typedef PortableImage* (*KVXCreateImageFn)(const PortableImage* header);
typedef PortableMultiImage* (*KVXCreateMultiImageFn)(const PortableMultiImage* header);
typedef PortableDocument* (*KVXCreateDocumentFn)(const PortableDocument* header);
typedef FileTypeDescriptor* (*KVXCreateFileTypeFn)(const FileTypeDescriptor* header);
typedef void (*KVXFreePaletteFn)(PortablePalette* palette);
typedef void (*KVXFreeImageFn)(PortableImage* image);                /* pixels, palette, itself */
typedef void (*KVXFreeMultiImageFn)(PortableMultiImage* multiImage); /* with its frames */
typedef void (*KVXFreeDocumentFn)(PortableDocument* document);       /* with its images */
typedef void (*KVXFreeFileTypeFn)(FileTypeDescriptor* descriptor);
typedef PortablePalette* (*KVXClonePaletteFn)(const PortablePalette* palette);
typedef PortableImage* (*KVXCloneImageFn)(const PortableImage* image);
typedef PortableMultiImage* (*KVXCloneMultiImageFn)(const PortableMultiImage* multiImage);
/* Only KVX_FORMAT_32BPP is a supported target. Palette formats without a
 * palette convert as gray levels; indices beyond the palette as opaque black. */
typedef PortableImage* (*KVXConvertImageFn)(PortableImage* image, uint32_t format,
                                            int32_t freeSource);
/* Image frames are converted, other frames copied. */
typedef PortableMultiImage* (*KVXConvertMultiImageFn)(PortableMultiImage* multiImage,
                                                      uint32_t format, int32_t freeSource);
/* 32-bit images only; options may be null for the defaults. */
typedef PortableImage* (*KVXResampleImageFn)(const PortableImage* image, int32_t width,
                                             int32_t height, uint32_t filter,
                                             const KVXResampleOptions* options);
/* Every frame is resampled to the new size, its position scaled alike. */
typedef PortableMultiImage* (*KVXResampleMultiImageFn)(const PortableMultiImage* multiImage,
                                                       int32_t width, int32_t height,
                                                       uint32_t filter,
                                                       const KVXResampleOptions* options);
/* One 32-bit frame: visible image frames blended in order, masks applied. */
typedef PortableMultiImage* (*KVXFlattenMultiImageFn)(PortableMultiImage* multiImage,
                                                      int32_t freeSource);
/* R, G, B multiplied by alpha in place; nonzero on success. */
typedef int32_t (*KVXPremultiplyFn)(PortableImage* image);

/* ---- the functions a plug-in exports ----------------------------------- */

typedef uint32_t (*KVXGetSDKVersionProc)(void);
typedef uint32_t (*KVXGetFeaturesProc)(void);
typedef void (*KVXGetNameProc)(char* buffer, uint32_t size);
typedef uint32_t (*KVXGetVersionProc)(void);
typedef uint32_t (*KVXGetLastErrorProc)(char* text, uint32_t size);
typedef int32_t (*KVXLinkProc)(uint32_t reserved, uint32_t hostVersion, KVXServiceProc serviceProc);
typedef void (*KVXAdjustUIProc)(void);
typedef void (*KVXSettingsProc)(void* ownerWindow);
typedef void (*KVXAboutProc)(void* ownerWindow);
typedef const FileTypeDescriptor* (*KVXGetFileTypeProc)(void);
typedef int32_t (*KVXCanImportProc)(const char* path, uint32_t* fileTypeId,
                                    PortableMultiImage** preview, char* text, uint32_t textSize);
typedef PortableDocument* (*KVXImportProc)(void* ownerWindow, const char* path, uint32_t reserved);
typedef int32_t (*KVXCanExportProc)(uint32_t fileTypeId, const PortableDocument* document,
                                    uint32_t* extra);
typedef int32_t (*KVXExportProc)(void* ownerWindow, const char* path, uint32_t fileTypeId,
                                 const PortableDocument* document);

/* Required: the plug-in is not loaded without any of these. */
KVX_EXPORT uint32_t KVXGetSDKVersion(void);
KVX_EXPORT uint32_t KVXGetFeatures(void);
/* Writes a name that is not empty; size is KVX_NAME_BUFFER_SIZE. */
KVX_EXPORT void KVXGetName(char* buffer, uint32_t size);
KVX_EXPORT uint32_t KVXGetVersion(void);
/* The code of the last failed call; a message written into text is shown
 * instead of the code's own text. */
KVX_EXPORT uint32_t KVXGetLastError(char* text, uint32_t size);
/* Called with 0, KVX_HOST_INTERFACE_VERSION and the service entry; answer
 * nonzero to accept the host. */
KVX_EXPORT int32_t KVXLink(uint32_t reserved, uint32_t hostVersion, KVXServiceProc serviceProc);

/* Optional. */
KVX_EXPORT void KVXAdjustUI(void); /* once, right after loading */
KVX_EXPORT void KVXSettings(void* ownerWindow);
KVX_EXPORT void KVXAbout(void* ownerWindow);
/* Each answers a descriptor that stays valid while the plug-in is loaded, or
 * null after the last one. */
KVX_EXPORT const FileTypeDescriptor* KVXGetFirstImportableFileType(void);
KVX_EXPORT const FileTypeDescriptor* KVXGetNextImportableFileType(void);
KVX_EXPORT const FileTypeDescriptor* KVXGetFirstExportableFileType(void);
KVX_EXPORT const FileTypeDescriptor* KVXGetNextExportableFileType(void);
/* Nonzero when the file can be read: store the file type id; a preview (made
 * with the services, owned by the host afterwards) and a short text are
 * optional, and preview and text may be null. */
KVX_EXPORT int32_t KVXCanImport(const char* path, uint32_t* fileTypeId,
                                PortableMultiImage** preview, char* text, uint32_t textSize);
/* A document made with the services, owned by the host afterwards, or null. */
KVX_EXPORT PortableDocument* KVXImport(void* ownerWindow, const char* path, uint32_t reserved);
/* Nonzero when the type can hold the document; extra may be null. */
KVX_EXPORT int32_t KVXCanExport(uint32_t fileTypeId, const PortableDocument* document,
                                uint32_t* extra);
/* Nonzero on success; the document stays the host's. */
KVX_EXPORT int32_t KVXExport(void* ownerWindow, const char* path, uint32_t fileTypeId,
                             const PortableDocument* document);

/* ---- the layout, pinned ------------------------------------------------ */

#if defined(__cplusplus)
#define KVX_STATIC_ASSERT(condition, text) static_assert(condition, text)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define KVX_STATIC_ASSERT(condition, text) _Static_assert(condition, text)
#elif defined(__GNUC__)
#define KVX_STATIC_ASSERT(condition, text) __extension__ _Static_assert(condition, text)
#else
#define KVX_STATIC_ASSERT(condition, text)
#endif

KVX_STATIC_ASSERT(sizeof(void*) == 8, "the interface is 64-bit");
KVX_STATIC_ASSERT(sizeof(float) == 4, "floats are 32-bit");

KVX_STATIC_ASSERT(sizeof(FileTypeExtension) == KVX_FILE_TYPE_EXTENSION_SIZE, "extension entry");
KVX_STATIC_ASSERT(offsetof(FileTypeExtension, extension) == 4, "extension text");
KVX_STATIC_ASSERT(sizeof(FileTypeDescriptor) == KVX_FILE_TYPE_HEADER_SIZE, "file type header");
KVX_STATIC_ASSERT(offsetof(FileTypeDescriptor, id) == 4, "file type id");
KVX_STATIC_ASSERT(offsetof(FileTypeDescriptor, reserved) == 8, "file type reserved");
KVX_STATIC_ASSERT(offsetof(FileTypeDescriptor, name) == 12, "file type name");
KVX_STATIC_ASSERT(offsetof(FileTypeDescriptor, extensionCount) == 268, "extension count");

KVX_STATIC_ASSERT(sizeof(PortablePaletteEntry) == KVX_PALETTE_ENTRY_SIZE, "palette entry");
KVX_STATIC_ASSERT(offsetof(PortablePaletteEntry, r) == 4, "palette entry red");
KVX_STATIC_ASSERT(offsetof(PortablePaletteEntry, g) == 8, "palette entry green");
KVX_STATIC_ASSERT(offsetof(PortablePaletteEntry, b) == 12, "palette entry blue");
KVX_STATIC_ASSERT(sizeof(PortablePalette) == KVX_PALETTE_HEADER_SIZE, "palette header");
KVX_STATIC_ASSERT(offsetof(PortablePalette, type) == 4, "palette type");
KVX_STATIC_ASSERT(offsetof(PortablePalette, count) == 12, "palette count");

KVX_STATIC_ASSERT(sizeof(PortableImage) == KVX_IMAGE_HEADER_SIZE, "image header");
KVX_STATIC_ASSERT(offsetof(PortableImage, frameType) == 4, "image frame type");
KVX_STATIC_ASSERT(offsetof(PortableImage, format) == 8, "image format");
KVX_STATIC_ASSERT(offsetof(PortableImage, flags) == 12, "image flags");
KVX_STATIC_ASSERT(offsetof(PortableImage, width) == 16, "image width");
KVX_STATIC_ASSERT(offsetof(PortableImage, height) == 20, "image height");
KVX_STATIC_ASSERT(offsetof(PortableImage, left) == 24, "image left");
KVX_STATIC_ASSERT(offsetof(PortableImage, top) == 28, "image top");
KVX_STATIC_ASSERT(offsetof(PortableImage, palette) == 32, "image palette");
KVX_STATIC_ASSERT(offsetof(PortableImage, opacity) == 40, "image opacity");
KVX_STATIC_ASSERT(offsetof(PortableImage, name) == 44, "image name");
KVX_STATIC_ASSERT(offsetof(PortableImage, padding) == 300, "image padding");

KVX_STATIC_ASSERT(sizeof(PortableMultiImage) == KVX_MULTI_IMAGE_HEADER_SIZE, "multi-image");
KVX_STATIC_ASSERT(offsetof(PortableMultiImage, format) == 8, "multi-image format");
KVX_STATIC_ASSERT(offsetof(PortableMultiImage, width) == 16, "multi-image width");
KVX_STATIC_ASSERT(offsetof(PortableMultiImage, resolutionX) == 24, "multi-image resolution");
KVX_STATIC_ASSERT(offsetof(PortableMultiImage, frameCount) == 32, "multi-image frame count");

KVX_STATIC_ASSERT(sizeof(PortableDocument) == KVX_DOCUMENT_HEADER_SIZE, "document header");
KVX_STATIC_ASSERT(offsetof(PortableDocument, count) == 8, "document count");

KVX_STATIC_ASSERT(sizeof(KVXResampleOptions) == 16, "resample options");
KVX_STATIC_ASSERT(offsetof(KVXResampleOptions, samplesPerPixel) == 12, "samples per pixel");

#ifdef __cplusplus
}
#endif

#endif /* KVX_H */
