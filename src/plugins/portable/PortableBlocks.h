#pragma once
// Making, copying and freeing the portable structures: the host side of the
// create, free and clone services, also used by the host's own conversions.
// Creating and cloning throw PortableError; freeing never throws and refuses
// (answering false) anything that is not a live block of the right kind.
#include "kvx.h"

#include <memory>

namespace kv {

// Each copies the header as the caller filled it (its own size field gives
// its length); entries, frame and image pointers start cleared. A new image
// gets a pixel buffer of the size its width, height and format give (none
// when that is 0) and no palette.
PortablePalette* CreatePortablePalette(const PortablePalette& header);
PortableImage* CreatePortableImage(const PortableImage& header);
PortableMultiImage* CreatePortableMultiImage(const PortableMultiImage& header);
PortableDocument* CreatePortableDocument(const PortableDocument& header);
FileTypeDescriptor* CreateFileTypeDescriptor(const FileTypeDescriptor& header);

// Null answers true. Freeing an image frees its pixels and palette, a
// multi-image its frames, a document its multi-images.
bool FreePortablePalette(PortablePalette* palette);
bool FreePortableImage(PortableImage* image);
bool FreePortableMultiImage(PortableMultiImage* multiImage);
bool FreePortableDocument(PortableDocument* document);
bool FreeFileTypeDescriptor(FileTypeDescriptor* descriptor);

PortablePalette* ClonePortablePalette(const PortablePalette* palette);
PortableImage* ClonePortableImage(const PortableImage* image);
PortableMultiImage* ClonePortableMultiImage(const PortableMultiImage* multiImage);

struct PortableDeleter {
    void operator()(PortablePalette* p) const { FreePortablePalette(p); }
    void operator()(PortableImage* p) const { FreePortableImage(p); }
    void operator()(PortableMultiImage* p) const { FreePortableMultiImage(p); }
    void operator()(PortableDocument* p) const { FreePortableDocument(p); }
    void operator()(FileTypeDescriptor* p) const { FreeFileTypeDescriptor(p); }
};
using PortablePalettePtr = std::unique_ptr<PortablePalette, PortableDeleter>;
using PortableImagePtr = std::unique_ptr<PortableImage, PortableDeleter>;
using PortableMultiImagePtr = std::unique_ptr<PortableMultiImage, PortableDeleter>;
using PortableDocumentPtr = std::unique_ptr<PortableDocument, PortableDeleter>;
using FileTypeDescriptorPtr = std::unique_ptr<FileTypeDescriptor, PortableDeleter>;

// A new frame of the given type, format and size: flags 0, opacity 1, the name
// copied (cut to 255 characters), pixels cleared.
PortableImagePtr NewPortableFrame(std::uint32_t frameType, std::uint32_t format, std::int32_t width,
                                  std::int32_t height, const char* name);
// A multi-image header with room for `frames` frames, all null.
PortableMultiImagePtr NewPortableMultiImage(std::uint32_t format, std::int32_t width,
                                            std::int32_t height, float resolutionX,
                                            float resolutionY, std::int32_t frames);
// A document with room for `count` multi-images, all null.
PortableDocumentPtr NewPortableDocument(std::int32_t count);

} // namespace kv
