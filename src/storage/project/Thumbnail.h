#pragma once
#include "model/PixelArray.h"

#include <cstdint>

namespace kv {

class Image;
class Project;

// The image whose thumbnail a project file carries, or null: a lone image
// that can serve as its own preview (small, one plain layer) gets none; of
// several, the most detailed export candidate with a positive score wins.
const Image* ChooseThumbnailImage(const Project& project, std::int32_t maxSizeEx);

// The image's composite, scaled down to fit maxSize when it is larger.
void MakeThumbnail(const Image& image, std::int32_t maxSize, PixelArray& thumbnail);

} // namespace kv
