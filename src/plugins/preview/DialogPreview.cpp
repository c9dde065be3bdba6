#include "plugins/preview/DialogPreview.h"

#include "model/Resampler.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/portable/PortableBlocks.h"
#include "plugins/portable/PortableChecks.h"
#include "plugins/portable/PortableConversion.h"
#include "plugins/portable/PortableError.h"
#include "plugins/portable/PortableResampling.h"
#include "plugins/services/HostQueries.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

// One 32-bit multi-image frame made from whatever the provider gave.
PortableMultiImagePtr SingleFrame(const PortableMultiImage* preview) {
    const MultiImageView view = CheckMultiImage(preview);
    PortableMultiImage* source = const_cast<PortableMultiImage*>(preview);
    if (view.count > 1) return PortableMultiImagePtr(FlattenPortableMultiImage(source, false));
    if (preview->format != KVX_FORMAT_32BPP)
        return PortableMultiImagePtr(ConvertPortableMultiImage(source, KVX_FORMAT_32BPP, false));
    return PortableMultiImagePtr(ClonePortableMultiImage(preview));
}

void ScaleToFit(const PixelArray& source, std::int32_t area, PixelArray& picture) {
    std::int32_t width = 0, height = 0;
    FitPreviewSize(source.width(), source.height(), area, width, height);
    if (width == source.width() && height == source.height()) {
        picture.assign(source);
        return;
    }
    picture.setSize(width, height);
    if (picture.width() != width || picture.height() != height) {
        picture.release();
        return;
    }
    ResamplerOptions options;
    options.smoothEnlargement = 1;
    options.totalSampleBudget = 1000000;
    options.samplesPerPixel = 64;
    Resample(picture, source, options);
}

} // namespace

void FitPreviewSize(std::int32_t width, std::int32_t height, std::int32_t area,
                    std::int32_t& fittedWidth, std::int32_t& fittedHeight) {
    fittedWidth = width;
    fittedHeight = height;
    if ((width <= area && height <= area) || width <= 0 || height <= 0) return;
    const double s = std::min(double(area) / width, double(area) / height);
    fittedWidth = std::max<std::int32_t>(1, std::int32_t(std::rint(width * s)));
    fittedHeight = std::max<std::int32_t>(1, std::int32_t(std::rint(height * s)));
}

bool FitPreviewPicture(const PortableMultiImage* preview, std::int32_t area, PixelArray& picture) {
    picture.release();
    try {
        PortableMultiImagePtr single = SingleFrame(preview);
        const MultiImageView view = CheckMultiImage(single.get());
        if (view.count < 1 || !view.frames[0]) return false;
        const ImageView frame = CheckImage(view.frames[0]);
        if (frame.bits != 32 || !frame.pixels) return false;
        ScaleToFit(WrapPortablePixels(frame), area, picture);
    } catch (...) {
        picture.release(); // a preview that cannot be shown is simply not shown
    }
    return !picture.isEmpty();
}

DialogPreview MakeDialogPreview(const PluginHost& host, const std::string& path) {
    DialogPreview result;
    if (path.empty()) {
        result.areaText = kNoFileSelected;
        return result;
    }
    FileTypeChoice choice = ChooseFileType(host, path, true, kPreviewDescriptionSize);
    if (!choice.entry) {
        result.areaText = kUnknownFileFormat;
        return result;
    }
    result.description = std::move(choice.description);
    if (choice.preview)
        FitPreviewPicture(choice.preview.get(), kFilePreviewAreaSize, result.picture);
    return result;
}

} // namespace kv
