#pragma once
// The resampling and flattening services on portable images.
#include "kvx.h"
#include "model/Resampler.h"

namespace kv {

// The options a plug-in passed (null: defaults), reading at most 16 bytes and
// no field beyond its size field.
ResamplerOptions ReadResampleOptions(const KVXResampleOptions* options);

// A new 32-bit image of the given size scaled from a 32-bit one (code 5 for
// other formats, code 3 for a filter other than 1 or a negative size).
PortableImage* ResamplePortableImage(const PortableImage* image, std::int32_t width,
                                     std::int32_t height, std::uint32_t filter,
                                     const KVXResampleOptions* options);
// Every frame scaled to the new size, its position scaled by the same ratio.
PortableMultiImage* ResamplePortableMultiImage(const PortableMultiImage* multiImage,
                                               std::int32_t width, std::int32_t height,
                                               std::uint32_t filter,
                                               const KVXResampleOptions* options);

// One 32-bit frame of the multi-image's size, transparent at first: the
// first visible image frame copied to its place with its opacity applied to
// alpha, later ones blended over with their opacity, each 1-bit mask frame
// clearing the alpha where its bits are 0 (code 5 for masks of other formats).
PortableMultiImage* FlattenPortableMultiImage(PortableMultiImage* multiImage, bool freeSource);

} // namespace kv
