#include "storage/project/Thumbnail.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "model/Resampler.h"
#include "platform/Exceptions.h"
#include "storage/project/DetailScore.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

bool ServesAsOwnPreview(const Image& image, std::int32_t maxSizeEx) {
    if (std::max(image.width(), image.height()) > maxSizeEx || image.layerCount() != 1)
        return false;
    const LayerBase* layer = image.bottomLayer();
    return layer->kind() == LayerKind::Layer && layer->supersamplingFactor() == 0;
}

} // namespace

const Image* ChooseThumbnailImage(const Project& project, std::int32_t maxSizeEx) {
    if (project.imageCount() == 0) return nullptr;
    if (project.imageCount() == 1) {
        const Image* only = project.firstImage();
        return ServesAsOwnPreview(*only, maxSizeEx) ? nullptr : only;
    }
    bool anyForExport = false;
    for (std::int32_t i = 1; i <= project.imageCount(); ++i)
        anyForExport = anyForExport || project.imageAt(static_cast<std::uint32_t>(i))->forExport();
    const Image* best = nullptr;
    double bestScore = 0.0;
    for (std::int32_t i = 1; i <= project.imageCount(); ++i) {
        const Image* image = project.imageAt(static_cast<std::uint32_t>(i));
        if (anyForExport && !image->forExport()) continue;
        const double score = DetailScore(image->composite());
        if (score > bestScore) {
            bestScore = score;
            best = image;
        }
    }
    return best;
}

void MakeThumbnail(const Image& image, std::int32_t maxSize, PixelArray& thumbnail) {
    const PixelArray& composite = image.composite();
    const std::int32_t w = composite.width(), h = composite.height();
    if (std::max(w, h) <= maxSize) {
        thumbnail.assign(composite);
        if (thumbnail.width() != w || thumbnail.height() != h)
            throw CKVException("Insufficient memory");
        return;
    }
    const double s = std::min(static_cast<double>(maxSize) / w, static_cast<double>(maxSize) / h);
    const auto tw = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::rint(w * s)));
    const auto th = std::max<std::int32_t>(1, static_cast<std::int32_t>(std::rint(h * s)));
    thumbnail.setSize(tw, th);
    if (thumbnail.width() != tw || thumbnail.height() != th)
        throw CKVException("Insufficient memory");
    ResamplerOptions options;
    options.smoothEnlargement = 1;
    options.totalSampleBudget = 0;
    options.samplesPerPixel = 64;
    Resample(thumbnail, composite, options);
}

} // namespace kv
