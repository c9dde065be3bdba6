#include "commands/cli/ProjectInfo.h"

#include "commands/files/ProjectFiles.h"
#include "commands/formats/HeadlessFormats.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/FormatProvider.h"
#include "plugins/preview/DialogPreview.h"
#include "storage/project/ProjectFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace kv {
namespace {

std::string Format(const char* pattern, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

std::string ImageFlags(const Project& project, const Image& image) {
    std::string flags;
    auto add = [&](bool on, const char* word) {
        if (!on) return;
        if (!flags.empty()) flags += ", ";
        flags += word;
    };
    add(project.currentImage() == &image, "current");
    add(image.storedOption(), "stored option");
    add(image.paletteLocked(), "palette locked");
    add(!image.forExport(), "not for export");
    return flags.empty() ? "none" : flags;
}

std::string LayerLine(const Image& image, const LayerBase& layer) {
    const char* blend = layer.blendMode() == BlendMode::Replace ? "replace" : "normal";
    std::string line = Format("    Layer %u (id %u): \"", layer.position(), layer.id());
    line += layer.displayName();
    line += Format("\", %s, opacity %.3f, blend %s, %s", layer.visible() ? "visible" : "hidden",
                   static_cast<double>(layer.opacity()), blend,
                   layer.supersamplingFactor() ? "supersampled" : "not supersampled");
    if (image.currentLayer() == &layer) line += ", current";
    return line + "\n";
}

} // namespace

std::string ProjectInfoText(const Project& project) {
    std::string text =
        Format("%d %s\n", project.imageCount(), project.imageCount() == 1 ? "image" : "images");
    for (std::int32_t i = 1; i <= project.imageCount(); ++i) {
        const Image& image = *project.imageAt(static_cast<std::uint32_t>(i));
        const char* format = TargetFormatName(image.targetFormat());
        text += Format("Image %d (id %u): %d x %d, %s, flags: ", i, image.id(), image.width(),
                       image.height(), format ? format : "no target format");
        text += ImageFlags(project, image);
        text += Format(", palette %d, %d %s\n", image.palette() ? image.palette()->count() : 0,
                       image.layerCount(), image.layerCount() == 1 ? "layer" : "layers");
        for (std::int32_t l = 1; l <= image.layerCount(); ++l)
            text += LayerLine(image, *image.layerAt(static_cast<std::uint32_t>(l)));
    }
    return text;
}

int RunInfoCommand(const std::string& path, std::string& out, std::string& error) {
    ProjectFileResult result;
    const std::unique_ptr<Project> project =
        ReadProjectFile(path, RelaxedChecksFromSettings(), result);
    if (!project) {
        error = path + ": " + result.message;
        return 1;
    }
    out = ProjectInfoText(*project);
    return 0;
}

int RunFileInfoCommand(const PluginHost& host, const std::string& path, std::string& out,
                       std::string& error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = path + ": " + std::strerror(errno);
        return 1;
    }
    FileTypeChoice choice;
    {
        CollectedErrors quiet; // providers that fail simply do not recognise the file
        choice = ChooseFileType(host, path, false, kPreviewDescriptionSize);
    }
    // The project reader's own messages say more than "unknown" about a
    // damaged project.
    if (!choice.entry && EqualIgnoringCase(FileExtension(path), "kvp"))
        return RunInfoCommand(path, out, error);
    if (!choice.entry) {
        error = path + ": " + kUnknownFileType;
        return 1;
    }
    if (choice.entry->provider->isBuiltin()) return RunInfoCommand(path, out, error);
    out = choice.description.empty() ? choice.entry->name : choice.description;
    if (out.back() != '\n') out += '\n';
    return 0;
}

int RunConvertCommand(const std::string& input, const std::string& output,
                      std::optional<CompressionLevel> compression, std::string& error) {
    ProjectFileResult result;
    const std::unique_ptr<Project> project =
        ReadProjectFile(input, RelaxedChecksFromSettings(), result);
    if (!project) {
        error = input + ": " + result.message;
        return 1;
    }
    ProjectWriterOptions options = ProjectWriterOptionsFromSettings();
    if (compression) options.compression = *compression;
    result = WriteProjectFile(output, *project, options);
    if (!result.ok) {
        error = output + ": " + result.message;
        return 1;
    }
    return 0;
}

} // namespace kv
