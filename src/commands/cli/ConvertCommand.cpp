#include "commands/cli/ConvertCommand.h"

#include "commands/cli/ProjectInfo.h"
#include "commands/files/ProjectFiles.h"
#include "commands/formats/HeadlessFormats.h"
#include "desktop/ShellFileTypes.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "model/Resampler.h"
#include "platform/Exceptions.h"
#include "platform/ReplacingFile.h"
#include "platform/WholeFiles.h"
#include "plugins/host/FileTypeChooser.h"
#include "plugins/host/FormatProvider.h"
#include "plugins/host/PluginHost.h"
#include "plugins/host/PluginTransfer.h"
#include "plugins/portable/PortableExport.h"
#include "storage/project/ProjectFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace kv {

std::optional<TargetFormat> TargetFormatForDepth(std::int32_t bits) {
    switch (bits) {
    case 32:
        return TargetFormat::Rgba32;
    case 24:
        return TargetFormat::Rgb24;
    case 8:
        return TargetFormat::Palette8;
    case 4:
        return TargetFormat::Palette4;
    case 1:
        return TargetFormat::Mono;
    default:
        return std::nullopt;
    }
}

namespace {

constexpr const char* kCursorExtension = "cur";
// Icon themes hold PNG files.
constexpr const char* kThemeExtension = "png";
constexpr const char* kHotspotVariable = "KORVANE_CUR_HOTSPOT";

// A complete message for standard error, thrown where the problem is found.
struct ConvertFailure {
    std::string message;
};

[[noreturn]] void Fail(std::string message) {
    throw ConvertFailure{std::move(message)};
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Dotted(const std::string& extension) {
    return extension.empty() ? std::string("a file without extension") : "." + extension;
}

std::string ImageCount(std::int32_t count) {
    return std::to_string(count) + (count == 1 ? " image" : " images");
}

// Our own files that are no pictures (swatch sets, plug-ins): known, but
// nothing converts them.
bool IsOwnOtherType(const std::string& extension) {
    for (const ShellFileType& type : kShellFileTypeTable)
        if (extension == type.extension && type.icon != ShellIcon::Project) return true;
    return false;
}

std::string BaseName(const std::string& path) {
    std::string name = path.substr(path.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

// The two ends of a conversion, told apart by extension before any file is
// touched.
struct ConvertPlan {
    const FileTypeEntry* reader = nullptr;
    const FileTypeEntry* writer = nullptr;
    bool folder = false; // OUT names a folder for an icon set
    bool cursor = false; // OUT is a cursor
};

ConvertPlan PlanConversion(const PluginHost& host, const std::string& input,
                           const std::string& output, const ConvertOptions& options) {
    ConvertPlan plan;
    plan.folder = !output.empty() && output.back() == '/';
    const std::string inExt = Lower(FileExtension(input));
    const std::string outExt = plan.folder ? kThemeExtension : Lower(FileExtension(output));
    plan.reader = ImportableByExtension(host, inExt);
    plan.writer = ExportableByExtension(host, outExt);
    plan.cursor = !plan.folder && outExt == kCursorExtension;
    const bool inKnown = plan.reader || ExportableByExtension(host, inExt) || IsOwnOtherType(inExt);
    const bool outKnown =
        plan.writer || ImportableByExtension(host, outExt) || IsOwnOtherType(outExt);
    if (!inKnown)
        Fail(input + ": unknown file type (" + Dotted(inExt) + "); Korvane reads " +
             ExtensionList(host.importableTypes()));
    if (plan.folder && !plan.writer)
        Fail(output + ": an icon set folder holds .png files, and no plug-in writes them");
    if (!outKnown)
        Fail(output + ": unknown file type (" + Dotted(outExt) + "); Korvane writes " +
             ExtensionList(host.exportableTypes()));
    if (!plan.reader || !plan.writer)
        Fail("cannot convert " + Dotted(inExt) + " to " + Dotted(outExt) + ": Korvane reads " +
             ExtensionList(host.importableTypes()) + " and writes " +
             ExtensionList(host.exportableTypes()));
    if (plan.folder && options.sizes.empty())
        Fail(output + ": a folder (OUT ending in /) receives an icon set; give its sizes with "
                      "--sizes");
    if (options.hotspot && !plan.cursor)
        Fail("--hotspot is for cursors, and " + output + " is no .cur file");
    return plan;
}

void CheckInputFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) Fail(path + ": " + std::strerror(errno));
    if (S_ISDIR(st.st_mode)) Fail(path + ": is a folder, not a file");
}

std::unique_ptr<Project> LoadInput(const FileTypeEntry& reader, const std::string& path) {
    CollectedErrors errors;
    std::unique_ptr<Project> project;
    std::string message;
    if (reader.provider->isBuiltin()) {
        ProjectFileResult result;
        project = ReadProjectFile(path, RelaxedChecksFromSettings(), result);
        message = result.message;
    } else {
        project = ImportFile(reader, path, {nullptr, RelaxedChecksFromSettings()});
    }
    if (!project) Fail(path + ": " + (message.empty() ? errors.text("cannot be read") : message));
    return project;
}

// The input's images that go on: the one --image names, else those marked
// for export (every image when a project is written, marks and all).
std::vector<Image*> ChooseImages(const Project& project, const ConvertOptions& options,
                                 const std::string& input, bool keepAll) {
    const std::int32_t count = project.imageCount();
    if (options.image) {
        if (*options.image > count)
            Fail("--image " + std::to_string(*options.image) + ": " + input + " holds " +
                 ImageCount(count));
        return {project.imageAt(static_cast<std::uint32_t>(*options.image))};
    }
    std::vector<Image*> images;
    for (std::int32_t i = 1; i <= count; ++i) {
        Image* image = project.imageAt(static_cast<std::uint32_t>(i));
        if (keepAll || image->forExport()) images.push_back(image);
    }
    if (images.empty())
        Fail(input + (count == 0 ? ": holds no image" : ": holds no image marked for export"));
    return images;
}

void KeepOnly(Project& project, const std::vector<Image*>& keep) {
    for (std::int32_t i = project.imageCount(); i >= 1; --i) {
        Image* image = project.imageAt(static_cast<std::uint32_t>(i));
        if (std::find(keep.begin(), keep.end(), image) == keep.end()) project.removeImage(image);
    }
    if (!project.currentImage()) project.setCurrentImage(project.firstImage());
}

void ApplyDepth(Image& image, TargetFormat format) {
    image.setTargetFormat(format);
    // Our own quantizer picks the colors, also for 4 and 1 bits, whose
    // standard palettes suit few pictures.
    if (IsPaletteFormat(format)) image.setPaletteLocked(false);
}

void CheckHotspot(const Project& project, const CursorHotspot& hotspot) {
    for (std::int32_t i = 1; i <= project.imageCount(); ++i) {
        const Image& image = *project.imageAt(static_cast<std::uint32_t>(i));
        if (hotspot.x < image.width() && hotspot.y < image.height()) continue;
        Fail("--hotspot " + std::to_string(hotspot.x) + "," + std::to_string(hotspot.y) +
             " lies outside the " + std::to_string(image.width()) + " x " +
             std::to_string(image.height()) +
             " image; X and Y count from 0 and must fall inside every image written");
    }
}

// The ICO and CUR plug-in reads the hotspot of one export from the
// environment; the old value comes back afterwards.
class HotspotForExport {
  public:
    explicit HotspotForExport(const std::optional<CursorHotspot>& hotspot) {
        if (!hotspot) return;
        const char* old = std::getenv(kHotspotVariable);
        m_hadOld = old != nullptr;
        if (old) m_old = old;
        m_set = true;
        const std::string value = std::to_string(hotspot->x) + "," + std::to_string(hotspot->y);
        ::setenv(kHotspotVariable, value.c_str(), 1);
    }
    ~HotspotForExport() {
        if (!m_set) return;
        if (m_hadOld)
            ::setenv(kHotspotVariable, m_old.c_str(), 1);
        else
            ::unsetenv(kHotspotVariable);
    }
    HotspotForExport(const HotspotForExport&) = delete;
    HotspotForExport& operator=(const HotspotForExport&) = delete;

  private:
    bool m_set = false;
    bool m_hadOld = false;
    std::string m_old;
};

// The plug-in writes the temporary file beside OUT, which replaces OUT only
// once the plug-in has succeeded, so a failed export leaves an old file as
// it was.
void ExportDocumentOrFail(const FileTypeEntry& writer, const std::string& path,
                          const PortableDocumentPtr& document) {
    CollectedErrors errors;
    if (!document) Fail(path + ": " + errors.text("Portable image creation failed"));
    ReplacingFile file(path);
    if (!ExportDocument(writer, file.temporaryPath(), *document, nullptr))
        Fail(path + ": " + errors.text("cannot be written"));
    file.commit();
}

PortableDocumentPtr ProjectDocument(const Project& project) {
    CollectedErrors errors;
    PortableDocumentPtr document = BuildProjectDocument(project);
    if (!document) Fail(errors.text("Portable image creation failed"));
    return document;
}

// A file type that holds one image, asked for several: say how to choose.
void CheckOneImageType(const FileTypeEntry& writer, const PortableDocument& document,
                       const Project& project, const std::string& input, const std::string& output,
                       const ConvertOptions& options) {
    if (project.imageCount() < 2 || TypeAcceptsDocument(writer, document)) return;
    CollectedErrors quiet; // only a question to the writer
    const PortableDocumentPtr single = BuildImageDocument(*project.firstImage());
    if (!single || !TypeAcceptsDocument(writer, *single)) return; // the writer says why
    const std::string many = ImageCount(project.imageCount());
    if (!options.sizes.empty())
        Fail(output + ": a " + writer.name + " holds one image, and --sizes makes " + many +
             "; write the set into a folder (OUT ending in /) or an icon file");
    Fail(output + ": a " + writer.name + " holds one image, and " + input + " gives " + many +
         "; choose one with --image N (N counts from 1)");
}

void WriteIconFolder(const FileTypeEntry& writer, const Project& project, const std::string& folder,
                     const std::string& name) {
    for (std::int32_t i = 1; i <= project.imageCount(); ++i) {
        const Image& image = *project.imageAt(static_cast<std::uint32_t>(i));
        const std::string path = IconThemePath(folder, image.width(), name);
        const std::string parent = path.substr(0, path.rfind('/'));
        if (!MakeFolders(parent)) Fail(parent + ": " + std::strerror(errno));
        ExportDocumentOrFail(writer, path, BuildImageDocument(image));
    }
}

void WriteProject(const std::string& output, const Project& project,
                  const ConvertOptions& options) {
    ProjectWriterOptions writerOptions = ProjectWriterOptionsFromSettings();
    if (options.compression) writerOptions.compression = *options.compression;
    const ProjectFileResult result = WriteProjectFile(output, project, writerOptions);
    if (!result.ok) Fail(output + ": " + result.message);
}

void Convert(const ConvertPlan& plan, const std::string& input, const std::string& output,
             const ConvertOptions& options) {
    CheckInputFile(input);
    const bool projectOut = plan.writer->provider->isBuiltin();
    std::unique_ptr<Project> project = LoadInput(*plan.reader, input);
    const std::vector<Image*> chosen =
        ChooseImages(*project, options, input, projectOut && options.sizes.empty());
    if (!options.sizes.empty()) {
        if (chosen.size() > 1)
            Fail(input + " gives " + ImageCount(static_cast<std::int32_t>(chosen.size())) +
                 "; choose the one to scale with --image N (N counts from 1)");
        project = MakeIconSet(*chosen.front(), options.sizes,
                              options.depth.value_or(TargetFormat::Rgba32));
    } else {
        KeepOnly(*project, chosen);
        for (std::int32_t i = 1; i <= project->imageCount(); ++i) {
            Image& image = *project->imageAt(static_cast<std::uint32_t>(i));
            if (options.depth) ApplyDepth(image, *options.depth);
            if (!projectOut) image.setForExport(true);
        }
    }
    if (options.hotspot) CheckHotspot(*project, *options.hotspot);
    if (plan.folder) return WriteIconFolder(*plan.writer, *project, output, BaseName(input));
    if (projectOut) return WriteProject(output, *project, options);
    const PortableDocumentPtr document = ProjectDocument(*project);
    CheckOneImageType(*plan.writer, *document, *project, input, output, options);
    const HotspotForExport hotspot(options.hotspot);
    ExportDocumentOrFail(*plan.writer, output, document);
}

} // namespace

std::string IconThemePath(const std::string& folder, std::int32_t side, const std::string& name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') path.push_back('/');
    const std::string size = std::to_string(side);
    return path + size + "x" + size + "/apps/" + name + ".png";
}

std::unique_ptr<Project> MakeIconSet(const Image& source, const std::vector<std::int32_t>& sides,
                                     TargetFormat format) {
    const PixelArray& picture = source.composite();
    if (picture.isEmpty()) throw CKVException("The picture is empty");
    auto project = std::make_unique<Project>();
    for (const std::int32_t side : sides) {
        // Proportions kept: the longer side fills the square.
        const double scale =
            std::min(double(side) / picture.width(), double(side) / picture.height());
        const auto fitted = [scale](std::int32_t length) {
            return std::max<std::int32_t>(1, std::int32_t(std::rint(length * scale)));
        };
        PixelArray scaled(fitted(picture.width()), fitted(picture.height()));
        if (scaled.isEmpty()) throw CKVException(kInsufficientMemory);
        Resample(scaled, picture);
        auto image = std::make_unique<Image>();
        {
            ImageUpdateLock lock(*image);
            image->setSize(side, side);
            image->setResolution(source.horizontalResolution(), source.verticalResolution());
            auto owned = std::make_unique<Layer>();
            Layer* layer = owned.get();
            image->insertLayer(std::move(owned));
            PixelArray& pixels = layer->editablePixels();
            if (pixels.width() != side || pixels.height() != side)
                throw CKVException(kInsufficientMemory);
            std::fill(pixels.data(), pixels.data() + pixels.pixelCount(), Color32{0});
            CopyRaster(pixels, (side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
            image->setCurrentLayer(layer);
            if (Selection* selection = image->selection()) selection->followImage(*image);
        }
        ApplyDepth(*image, format);
        project->addImage(std::move(image));
    }
    project->setCurrentImage(project->firstImage());
    return project;
}

int RunFileConvertCommand(const PluginHost& host, const std::string& input,
                          const std::string& output, const ConvertOptions& options,
                          std::string& error) {
    try {
        const ConvertPlan plan = PlanConversion(host, input, output, options);
        // A project re-saved keeps every detail; the general path would too,
        // but this one is what --convert always did.
        if (plan.reader->provider->isBuiltin() && plan.writer->provider->isBuiltin() &&
            options.changesNothing())
            return RunConvertCommand(input, output, options.compression, error);
        Convert(plan, input, output, options);
        return 0;
    } catch (const ConvertFailure& failure) {
        error = failure.message;
    } catch (const CKVException& exception) {
        error = exception.message();
    } catch (const std::bad_alloc&) {
        error = kInsufficientMemory;
    }
    return 1;
}

} // namespace kv
