/*
 * A complete, small Korvane plug-in in C99: it reads and writes 8-bit
 * portable arbitrary maps (P7 files of depth 3 or 4, MAXVAL 255) and shows
 * the usual shape of a plug-in: the required functions, one file type made
 * with the host's service, import into a document made with the services,
 * and export through the flatten service.
 */
#include "kvx.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define PAM_TYPE_ID 1u

static KVXServiceProc service;
static uint32_t lastError;
static FileTypeDescriptor* fileType;

/* A host service of a known type. */
#define SERVICE(type, id) ((type)service(id))

struct PamHeader {
    long width, height, depth, maxval;
};

/* Reads the header up to and including the line "ENDHDR"; 1 when usable. */
static int ReadHeader(FILE* file, struct PamHeader* h) {
    char token[32];
    memset(h, 0, sizeof *h);
    if (fscanf(file, "%31s", token) != 1 || strcmp(token, "P7") != 0) return 0;
    while (fscanf(file, "%31s", token) == 1) {
        long* field = NULL;
        if (strcmp(token, "ENDHDR") == 0)
            return fgetc(file) == '\n' && h->width > 0 && h->width <= 65535 && h->height > 0 &&
                   h->height <= 65535 && (h->depth == 3 || h->depth == 4) && h->maxval == 255;
        if (strcmp(token, "WIDTH") == 0) field = &h->width;
        if (strcmp(token, "HEIGHT") == 0) field = &h->height;
        if (strcmp(token, "DEPTH") == 0) field = &h->depth;
        if (strcmp(token, "MAXVAL") == 0) field = &h->maxval;
        if (field && fscanf(file, "%ld", field) != 1) return 0;
        if (!field && fscanf(file, "%*[^\n]") < 0) return 0; /* TUPLTYPE, comments */
    }
    return 0;
}

uint32_t KVXGetSDKVersion(void) {
    return KVX_SDK_VERSION;
}
uint32_t KVXGetFeatures(void) {
    return KVX_FEATURE_IMPORT | KVX_FEATURE_EXPORT;
}
void KVXGetName(char* buffer, uint32_t size) {
    snprintf(buffer, size, "%s", "PAM example");
}
uint32_t KVXGetVersion(void) {
    return KVX_PACK_VERSION(1, 0, 0, 0);
}

uint32_t KVXGetLastError(char* text, uint32_t size) {
    (void)text; /* the host turns the code into its own message */
    (void)size;
    return lastError;
}

int32_t KVXLink(uint32_t reserved, uint32_t hostVersion, KVXServiceProc serviceProc) {
    FileTypeDescriptor header;
    (void)reserved;
    if (hostVersion < KVX_HOST_INTERFACE_VERSION || !serviceProc) return 0;
    service = serviceProc;
    memset(&header, 0, sizeof header);
    header.size = KVX_FILE_TYPE_HEADER_SIZE;
    header.id = PAM_TYPE_ID;
    strcpy(header.name, "Portable arbitrary map");
    header.extensionCount = 1;
    fileType = SERVICE(KVXCreateFileTypeFn, KVX_SC_CREATE_FILE_TYPE)(&header);
    if (!fileType) return 0;
    strcpy(KVXFileTypeExtensions(fileType)[0].extension, "pam");
    return 1;
}

const FileTypeDescriptor* KVXGetFirstImportableFileType(void) {
    return fileType;
}
const FileTypeDescriptor* KVXGetNextImportableFileType(void) {
    return NULL;
}
const FileTypeDescriptor* KVXGetFirstExportableFileType(void) {
    return fileType;
}
const FileTypeDescriptor* KVXGetNextExportableFileType(void) {
    return NULL;
}

int32_t KVXCanImport(const char* path, uint32_t* fileTypeId, PortableMultiImage** preview,
                     char* text, uint32_t textSize) {
    struct PamHeader h;
    FILE* file = fopen(path, "rb");
    int ok = file && ReadHeader(file, &h);
    (void)preview; /* the host does without one */
    if (file) fclose(file);
    if (!ok) return 0;
    *fileTypeId = PAM_TYPE_ID;
    if (text) snprintf(text, textSize, "PAM, %ld x %ld", h.width, h.height);
    return 1;
}

/* A document holding one image with one 32-bit layer; null when out of memory. */
static PortableDocument* NewDocument(long width, long height, PortableImage** frame) {
    PortableDocument d;
    PortableMultiImage m;
    PortableImage i;
    PortableDocument* document;
    memset(&d, 0, sizeof d);
    memset(&m, 0, sizeof m);
    memset(&i, 0, sizeof i);
    d.size = KVX_DOCUMENT_HEADER_SIZE;
    d.count = 1;
    m.size = KVX_MULTI_IMAGE_HEADER_SIZE;
    m.type = KVX_MULTI_IMAGE_TYPE;
    m.format = i.format = KVX_FORMAT_32BPP;
    m.width = i.width = (int32_t)width;
    m.height = i.height = (int32_t)height;
    m.resolutionX = m.resolutionY = 3779.5276f;
    m.frameCount = 1;
    i.size = KVX_IMAGE_HEADER_SIZE;
    i.frameType = KVX_FRAME_IMAGE;
    i.flags = KVX_FRAME_CURRENT;
    i.opacity = 1.0f;
    strcpy(i.name, "Background");
    document = SERVICE(KVXCreateDocumentFn, KVX_SC_CREATE_DOCUMENT)(&d);
    if (!document) return NULL;
    KVXDocumentImages(document)[0] = SERVICE(KVXCreateMultiImageFn, KVX_SC_CREATE_MULTI_IMAGE)(&m);
    if (KVXDocumentImages(document)[0]) {
        *frame = SERVICE(KVXCreateImageFn, KVX_SC_CREATE_IMAGE)(&i);
        KVXMultiImageFrames(KVXDocumentImages(document)[0])[0] = *frame;
        if (*frame) return document;
    }
    SERVICE(KVXFreeDocumentFn, KVX_SC_FREE_DOCUMENT)(document);
    return NULL;
}

static int ReadPixels(FILE* file, const struct PamHeader* h, PortableImage* frame) {
    uint8_t* row = KVXImagePixels(frame);
    long x, y;
    for (y = 0; y < h->height; ++y, row += KVXImageRowBytes(frame)) {
        for (x = 0; x < h->width; ++x) {
            uint8_t rgba[4] = {0, 0, 0, 255};
            if (fread(rgba, 1, (size_t)h->depth, file) != (size_t)h->depth) return 0;
            row[4 * x] = rgba[2];
            row[4 * x + 1] = rgba[1];
            row[4 * x + 2] = rgba[0];
            row[4 * x + 3] = rgba[3];
        }
    }
    return 1;
}

PortableDocument* KVXImport(void* ownerWindow, const char* path, uint32_t reserved) {
    struct PamHeader h;
    PortableImage* frame = NULL;
    PortableDocument* document = NULL;
    FILE* file = fopen(path, "rb");
    (void)ownerWindow;
    (void)reserved;
    lastError = KVX_ERROR_CANNOT_ACCESS_FILE;
    if (!file) return NULL;
    lastError = KVX_ERROR_INVALID_DATA;
    if (ReadHeader(file, &h)) {
        document = NewDocument(h.width, h.height, &frame);
        lastError = document ? KVX_ERROR_END_OF_FILE : KVX_ERROR_OUT_OF_MEMORY;
    }
    if (document && !ReadPixels(file, &h, frame)) {
        SERVICE(KVXFreeDocumentFn, KVX_SC_FREE_DOCUMENT)(document);
        document = NULL;
    }
    fclose(file);
    if (document) lastError = KVX_ERROR_NONE;
    return document;
}

int32_t KVXCanExport(uint32_t fileTypeId, const PortableDocument* document, uint32_t* extra) {
    (void)extra;
    return fileTypeId == PAM_TYPE_ID && document && document->count == 1;
}

static int WritePixels(FILE* file, PortableImage* frame) {
    const uint8_t* row = KVXImagePixels(frame);
    int32_t x, y;
    fprintf(file, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
            (int)frame->width, (int)frame->height);
    for (y = 0; y < frame->height; ++y, row += KVXImageRowBytes(frame)) {
        for (x = 0; x < frame->width; ++x) {
            const uint8_t rgba[4] = {row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]};
            if (fwrite(rgba, 1, 4, file) != 4) return 0;
        }
    }
    return 1;
}

int32_t KVXExport(void* ownerWindow, const char* path, uint32_t fileTypeId,
                  const PortableDocument* document) {
    PortableMultiImage* flat;
    FILE* file;
    int ok;
    (void)ownerWindow;
    (void)fileTypeId;
    lastError = KVX_ERROR_INVALID_PARAMETER;
    if (!document || document->count < 1) return 0;
    /* Layers and masks become one 32-bit picture. */
    flat = SERVICE(KVXFlattenMultiImageFn, KVX_SC_FLATTEN_MULTI_IMAGE)(
        KVXDocumentImages((PortableDocument*)document)[0], 0);
    lastError = SERVICE(KVXGetServiceErrorFn, KVX_SC_GET_LAST_ERROR)();
    if (!flat) return 0;
    file = fopen(path, "wb");
    ok = file && WritePixels(file, KVXMultiImageFrames(flat)[0]);
    if (file && fclose(file) != 0) ok = 0;
    SERVICE(KVXFreeMultiImageFn, KVX_SC_FREE_MULTI_IMAGE)(flat);
    lastError = ok ? KVX_ERROR_NONE : file ? KVX_ERROR_WRITE_FAILED : KVX_ERROR_CANNOT_CREATE_FILE;
    return ok;
}
