#include "commands/edit/ClipboardCommands.h"

#include "commands/edit/EraseSelection.h"
#include "commands/edit/PastePicture.h"
#include "commands/formats/FormatCalls.h"
#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/Project.h"

namespace kv {
namespace {

// The picture of the file the clipboard names: its current image flattened.
std::optional<PastePicture> PictureOfFile(CommandHost& host, FormatLibrary& formats,
                                          const std::string& path) {
    WaitCursor wait(host);
    const std::unique_ptr<Project> project = ImportThroughLibrary(host, formats, path);
    if (!project) return std::nullopt;
    const Image* image = project->currentImage() ? project->currentImage() : project->firstImage();
    return image ? PictureOfImage(*image) : std::nullopt;
}

} // namespace

bool ClipboardCommands::canCopy() const {
    const Image* image = CurrentImage();
    if (!image || !image->selection() || !image->selection()->active()) return false;
    const LayerBase* layer = image->currentLayer();
    return layer && layer->visible();
}

bool ClipboardCommands::canPaste() const {
    if (!CurrentImage() || !m_host.clipboardHasData()) return false;
    return m_host.channelMode() == ChannelMode::Normal || CurrentRasterLayer();
}

bool ClipboardCommands::copy() {
    return copyFrom(false);
}

bool ClipboardCommands::copyMerged() {
    return copyFrom(true);
}

bool ClipboardCommands::copyFrom(bool merged) {
    if (!canCopy()) {
        m_host.beep();
        return false;
    }
    const Image& image = *CurrentImage();
    const Selection& selection = *image.selection();
    const auto* raster = dynamic_cast<const Layer*>(image.currentLayer());
    // A supersampled layer is copied at its 8x detail, with the 8x mask.
    const bool detailed = !merged && raster && raster->supersampled() && selection.supersampled();
    const PixelArray& source = merged     ? image.composite()
                               : detailed ? raster->editablePixels()
                                          : image.currentLayer()->pixels();
    const float scale = detailed ? 8.0f : 1.0f;
    std::optional<ClipPicture> picture;
    RunReported(m_host, [&] {
        picture = BuildClipPicture(
            source, detailed ? selection.editableMask() : selection.mask(),
            detailed ? selection.detailBounds() : selection.levelZeroBounds(),
            ClipBitsFor(m_host.channelMode()), image.horizontalResolution() * scale,
            image.verticalResolution() * scale);
        return true;
    });
    return picture && m_host.putOnClipboard(std::move(*picture));
}

bool ClipboardCommands::cut() {
    return copy() && RunReported(m_host, [&] { return EraseSelection(m_host, "Cut"); });
}

bool ClipboardCommands::paste() {
    Image* image = CurrentImage();
    if (!image) return false;
    const ChannelMode mode = m_host.channelMode();
    if (mode != ChannelMode::Normal && !CurrentRasterLayer()) return false;
    ClipboardData data = m_host.readClipboard();
    if (!data.picture && !data.file.empty())
        data.picture = PictureOfFile(m_host, m_formats, data.file);
    if (!data.picture) {
        // A file that could not be imported has been reported already.
        if (data.file.empty()) m_host.reportError(kNothingToPaste);
        return false;
    }
    return RunReported(m_host, [&] {
        return mode == ChannelMode::Normal
                   ? PasteAsNewLayer(m_host, *image, *data.picture, m_host.viewCentre())
                   : PasteIntoLayer(m_host, *image, *data.picture, mode);
    });
}

} // namespace kv
