#include "plugins/portable/PortableResampling.h"

#include "model/Compositor.h"
#include "plugins/portable/PortableBlocks.h"
#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableConversion.h"
#include "plugins/portable/PortableError.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kv {
namespace {

std::int32_t ScaledPosition(std::int32_t position, std::int32_t newSize, std::int32_t oldSize) {
    if (oldSize <= 0) return 0;
    const double scaled = std::rint(double(position) * newSize / oldSize);
    return static_cast<std::int32_t>(std::clamp(scaled, double(INT32_MIN), double(INT32_MAX)));
}

// Adds one image frame to the picture being flattened.
void FlattenFrame(PixelArray& canvas, const ImageView& frame, bool first) {
    const PortableImage& header = *frame.header;
    if (PlacedFrameRect(header).intersected(canvas.bounds()).isEmpty()) return;
    PixelArray pixels;
    ReadPortablePixels(frame, pixels);
    const Point at{header.left, header.top};
    if (!first) {
        BlendOver(canvas, at, pixels, header.opacity);
        return;
    }
    CopyRaster(canvas, at.x, at.y, pixels);
    ScaleAlpha(canvas, PlacedFrameRect(header).intersected(canvas.bounds()), header.opacity);
}

} // namespace

ResamplerOptions ReadResampleOptions(const KVXResampleOptions* options) {
    ResamplerOptions result;
    if (!options) return result;
    const std::uint32_t size = std::min<std::uint32_t>(options->size, sizeof *options);
    if (size >= 8) result.smoothEnlargement = options->smoothEnlargement != 0;
    if (size >= 12) result.totalSampleBudget = options->totalSampleBudget;
    if (size >= 16) result.samplesPerPixel = options->samplesPerPixel;
    return result;
}

PortableImage* ResamplePortableImage(const PortableImage* image, std::int32_t width,
                                     std::int32_t height, std::uint32_t filter,
                                     const KVXResampleOptions* options) {
    const ImageView view = CheckImage(image);
    if (view.bits != 32) throw PortableError(KVX_ERROR_UNSUPPORTED_FORMAT);
    if (filter != KVX_FILTER_DEFAULT || width < 0 || height < 0)
        throw PortableError(KVX_ERROR_INVALID_PARAMETER);
    PortableImage header = *image;
    header.size = KVX_IMAGE_HEADER_SIZE;
    header.width = width;
    header.height = height;
    PortableImagePtr result(CreatePortableImage(header));
    PixelArray target = WrapPortablePixels(CheckImage(result.get()));
    if (!target.isEmpty()) Resample(target, WrapPortablePixels(view), ReadResampleOptions(options));
    return result.release();
}

PortableMultiImage* ResamplePortableMultiImage(const PortableMultiImage* multiImage,
                                               std::int32_t width, std::int32_t height,
                                               std::uint32_t filter,
                                               const KVXResampleOptions* options) {
    const MultiImageView view = CheckMultiImage(multiImage);
    PortableMultiImagePtr result(CreatePortableMultiImage(*multiImage));
    result->width = width;
    result->height = height;
    PortableImage** frames = KVXMultiImageFrames(result.get());
    for (std::int32_t i = 0; i < view.count; ++i) {
        const PortableImage* frame = view.frames[i];
        if (!frame) continue;
        frames[i] = ResamplePortableImage(frame, width, height, filter, options);
        frames[i]->left = ScaledPosition(frame->left, width, multiImage->width);
        frames[i]->top = ScaledPosition(frame->top, height, multiImage->height);
    }
    return result.release();
}

PortableMultiImage* FlattenPortableMultiImage(PortableMultiImage* multiImage, bool freeSource) {
    const MultiImageView view = CheckMultiImage(multiImage);
    const PortableMultiImage& source = *multiImage;
    if (source.width < 0 || source.height < 0) throw PortableError(KVX_ERROR_INVALID_DATA);
    PortableMultiImagePtr result = NewPortableMultiImage(
        KVX_FORMAT_32BPP, source.width, source.height, source.resolutionX, source.resolutionY, 1);
    result->flags = source.flags;
    PortableImagePtr flat =
        NewPortableFrame(KVX_FRAME_IMAGE, KVX_FORMAT_32BPP, source.width, source.height, nullptr);
    PixelArray canvas = WrapPortablePixels(CheckImage(flat.get()));
    bool first = true;
    for (std::int32_t i = 0; i < view.count; ++i) {
        const PortableImage* frame = view.frames[i];
        if (!frame) continue;
        const ImageView frameView = CheckImage(frame);
        if (frame->flags & KVX_FRAME_HIDDEN) continue;
        if (frame->frameType == KVX_FRAME_IMAGE) {
            FlattenFrame(canvas, frameView, first);
            first = false;
        } else if (frame->frameType == KVX_FRAME_MASK) {
            ApplyPortableMask(canvas, frameView);
        }
    }
    KVXMultiImageFrames(result.get())[0] = flat.release();
    if (freeSource) FreePortableMultiImage(multiImage);
    return result.release();
}

} // namespace kv
