#include "commands/cli/ThumbnailCommand.h"

#include "commands/files/ProjectFiles.h"
#include "commands/formats/HeadlessFormats.h"
#include "model/Image.h"
#include "model/Project.h"
#include "model/Resampler.h"
#include "platform/WholeFiles.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/PluginTransfer.h"
#include "plugins/preview/DialogPreview.h"
#include "storage/pictures/PngEncoder.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace kv {
namespace {

// The first image for export (else the first) of a file read in full, for
// files whose provider offers no preview.
bool FirstImagePicture(const FileTypeEntry& type, const std::string& path, PixelArray& picture) {
    CollectedErrors quiet; // a thumbnail that cannot be made says so once
    const std::unique_ptr<Project> project =
        ImportFile(type, path, {nullptr, RelaxedChecksFromSettings()});
    if (!project || project->imageCount() == 0) return false;
    const Image* image = project->firstImage();
    for (std::int32_t i = 1; i <= project->imageCount(); ++i)
        if (project->imageAt(static_cast<std::uint32_t>(i))->forExport()) {
            image = project->imageAt(static_cast<std::uint32_t>(i));
            break;
        }
    picture.assign(image->composite());
    return !picture.isEmpty();
}

bool FitPicture(const PixelArray& source, std::int32_t size, PixelArray& picture) {
    std::int32_t width = 0, height = 0;
    FitPreviewSize(source.width(), source.height(), size, width, height);
    picture.setSize(width, height);
    if (picture.width() != width || picture.height() != height) return false;
    ResamplerOptions options;
    options.totalSampleBudget = 1000000;
    options.samplesPerPixel = 64;
    Resample(picture, source, options);
    return true;
}

} // namespace

bool RenderThumbnail(const PluginHost& host, const std::string& path, std::int32_t size,
                     PixelArray& picture, std::string& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    FileTypeChoice choice;
    {
        CollectedErrors quiet;
        choice = ChooseFileType(host, path, true, 0);
    }
    if (!choice.entry) {
        error = path + ": " + kUnknownFileType;
        return false;
    }
    if (choice.preview && FitPreviewPicture(choice.preview.get(), size, picture)) return true;
    PixelArray whole;
    if (FirstImagePicture(*choice.entry, path, whole) && FitPicture(whole, size, picture))
        return true;
    error = path + ": no picture to show";
    return false;
}

int RunThumbnailCommand(const PluginHost& host, const std::string& input, const std::string& output,
                        std::int32_t size, std::string& error) {
    PixelArray picture;
    if (!RenderThumbnail(host, input, size, picture, error)) return 1;
    std::string message;
    if (!WriteFileAtomically(output, EncodePng(picture.data(), picture.width(), picture.height()),
                             0644, &message)) {
        error = message;
        return 1;
    }
    return 0;
}

} // namespace kv
