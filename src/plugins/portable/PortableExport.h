#pragma once
// The image model as portable documents, for plug-ins to write.
#include "plugins/portable/PortableBlocks.h"

namespace kv {

class Image;
class Project;

// One image as a multi-image. A 32-bit target gives one 32-bit frame per
// layer, bottom first; other targets give their target preview as an
// "IMAGE" frame (24-bit colors or palette indices with the palette) and,
// when some pixel is less than half opaque, a 1-bit "MASK" frame. Throws
// PortableError.
PortableMultiImagePtr ImageToPortable(const Image& image);

// A document of one image, or of every image of the project marked for
// export in project order. Null after the error box "Portable image creation
// failed".
PortableDocumentPtr BuildImageDocument(const Image& image);
PortableDocumentPtr BuildProjectDocument(const Project& project);

} // namespace kv
