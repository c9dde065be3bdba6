#pragma once
// Portable documents read by plug-ins, turned into the image model.
#include "kvx.h"
#include "model/ModelTypes.h"
#include "plugins/portable/PortableChecks.h"

#include <memory>

namespace kv {

class Image;
class Project;

// The target format a frame asks for: palette formats for 1, 4 and 8 bits
// with a palette, 24-bit for those without one and for 16, 24 and 48 bits,
// 32-bit for anything else.
TargetFormat ProposedTargetFormat(const ImageView& frame);

// One multi-image as a new image: image frames become layers, mask frames cut
// the alpha of the layers made so far, the frames decide the target format
// and the palette. Frames that cannot be used are reported ("Unsupported mask
// format", "Layer conversion error") and left out. Throws PortableError when
// the multi-image itself is unusable.
std::unique_ptr<Image> PortableToImage(const PortableMultiImage* multiImage);

// A new project holding every multi-image of the document in order; the one
// flagged current becomes the current image.
std::unique_ptr<Project> DocumentToProject(const PortableDocument* document);

} // namespace kv
