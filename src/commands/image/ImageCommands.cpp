#include "commands/image/ImageCommands.h"

#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "commands/image/ImageFactory.h"
#include "editing/actions/ImageBoundsAction.h"
#include "editing/actions/ImagePropertiesAction.h"
#include "editing/actions/ReorientImageAction.h"
#include "model/Image.h"
#include "model/Project.h"

namespace kv {
namespace {

Image* ImageBefore(const Image& image) {
    return image.owner() ? image.owner()->imageAt(image.position() - 1) : nullptr;
}

Image* ImageAfter(const Image& image) {
    return image.owner() ? image.owner()->imageAt(image.position() + 1) : nullptr;
}

} // namespace

bool ImageCommands::canNewImage() const {
    return OpenProject() != nullptr;
}

bool ImageCommands::hasImage() const {
    return CurrentImage() != nullptr;
}

bool ImageCommands::canCrop() const {
    const Image* image = CurrentImage();
    const Selection* selection = image ? image->selection() : nullptr;
    return selection && selection->active() && !selection->empty();
}

bool ImageCommands::canPrevious() const {
    const Image* image = CurrentImage();
    return image && ImageBefore(*image);
}

bool ImageCommands::canNext() const {
    const Image* image = CurrentImage();
    return image && ImageAfter(*image);
}

bool ImageCommands::makeCurrent(Image* image) {
    Project* project = OpenProject();
    if (!project || !image) return false;
    project->setCurrentImage(image);
    CommitCurrentSnapshots();
    m_host.refresh(RefreshScope::Everything);
    return true;
}

bool ImageCommands::newImage() {
    Project* project = OpenProject();
    if (!project) return false;
    DialogValues dialog = NewImageDefaults(false);
    if (!m_host.runDialog(dialog)) return false;
    const auto& values = std::get<NewImageValues>(dialog);
    RememberNewImageValues(values);
    Image* added = nullptr;
    if (!RunReported(m_host, [&] {
            const Image* borrowed =
                values.borrowFromId ? project->findImage(values.borrowFromId) : nullptr;
            added = project->addImage(CreateNewImage(values, borrowed));
            return true;
        }))
        return false;
    return makeCurrent(added);
}

bool ImageCommands::deleteImage() {
    Project* project = OpenProject();
    Image* image = CurrentImage();
    if (!image) return false;
    if (m_host.ask(MessageButtons::YesNo, MessageIcon::Question, "Irreversible operation",
                   "Delete the image?", MessageResult::Yes) != MessageResult::Yes)
        return false;
    Image* next = ImageAfter(*image) ? ImageAfter(*image) : ImageBefore(*image);
    project->setCurrentImage(next);
    project->removeImage(image); // destroyed here
    CommitCurrentSnapshots();
    m_host.refresh(RefreshScope::Everything);
    return true;
}

bool ImageCommands::properties() {
    const Image* image = CurrentImage();
    if (!image) return false;
    auto action = std::make_unique<ImagePropertiesAction>(*image);
    DialogValues dialog = ImagePropertiesValues{action->newValues};
    if (!m_host.runDialog(dialog)) return false;
    action->newValues = std::get<ImagePropertiesValues>(dialog).values;
    return PerformAction(m_host, std::move(action));
}

bool ImageCommands::cropToSelection() {
    if (!canCrop()) return false;
    const Image& image = *CurrentImage();
    auto action = std::make_unique<ImageBoundsAction>(image);
    action->setLabel("Crop");
    action->bounds = image.selection()->levelZeroBounds();
    return PerformAction(m_host, std::move(action));
}

bool ImageCommands::previous() {
    const Image* image = CurrentImage();
    return image && makeCurrent(ImageBefore(*image));
}

bool ImageCommands::next() {
    const Image* image = CurrentImage();
    return image && makeCurrent(ImageAfter(*image));
}

bool ImageCommands::moveUp() {
    Image* image = CurrentImage();
    Image* before = image ? ImageBefore(*image) : nullptr;
    if (!before) return false;
    OpenProject()->moveImage(image, before);
    m_host.refresh(RefreshScope::Everything);
    return true;
}

bool ImageCommands::moveDown() {
    Image* image = CurrentImage();
    Image* after = image ? ImageAfter(*image) : nullptr;
    if (!after) return false;
    // Before the image after the next one; at the end when there is none.
    OpenProject()->moveImage(image, ImageAfter(*after));
    m_host.refresh(RefreshScope::Everything);
    return true;
}

bool ImageCommands::reorient(Orientation orientation) {
    const Image* image = CurrentImage();
    const int code = static_cast<int>(orientation);
    if (!image || !IsValidOrientation(code)) return false;
    auto action = std::make_unique<ReorientImageAction>(*image);
    action->code = code;
    action->setLabel(OrientationUndoName(code));
    return PerformAction(m_host, std::move(action));
}

} // namespace kv
