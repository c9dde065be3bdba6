#pragma once
// Pictures to and from the host's portable structures, made, copied and
// freed only through the host's services.
#include "Raster.h"
#include "kvx.h"

#include <memory>
#include <vector>

namespace kvf {

// Keeps the host's service entry from KVXLink.
void LinkServices(KVXServiceProc services);
bool ServicesLinked();

struct FreeDocument {
    void operator()(PortableDocument* d) const;
};
struct FreeMultiImage {
    void operator()(PortableMultiImage* m) const;
};
using DocumentPtr = std::unique_ptr<PortableDocument, FreeDocument>;
using MultiImagePtr = std::unique_ptr<PortableMultiImage, FreeMultiImage>;

// One multi-image per picture: an image frame named "Background" (the
// current layer) and, when the picture has one, a mask frame. Fails with
// kTooLarge when the host cannot allocate.
MultiImagePtr MakeMultiImage(const Picture& picture);
// The first picture is the current image.
DocumentPtr MakeDocument(const std::vector<Picture>& pictures);

// A multi-image as an exporter sees it.
struct ExportPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    float resolutionX = kDefaultResolution;
    float resolutionY = kDefaultResolution;
    std::uint32_t format = KVX_FORMAT_32BPP; // what the image is meant to be saved as
    Raster rgba;                             // every visible frame flattened, 32 bits
    Raster indexed; // palette formats: the indices and palette of the image frame
    // The bits an exporter can honour: 32, 24, or the indexed raster's.
    std::uint32_t targetBits() const;
};

// Reads one image of a document; an image of a palette format without a
// usable palette frame is exported from its 32-bit picture.
ExportPicture ReadForExport(const PortableMultiImage* image, const Limits& limits);
// The images of a document, in order (null entries skipped).
std::vector<const PortableMultiImage*> DocumentImages(const PortableDocument* document);

} // namespace kvf
