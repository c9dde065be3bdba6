#include "commands/host/CommandSupport.h"

#include "commands/host/CommandHost.h"
#include "editing/history/Action.h"
#include "editing/history/ActionManager.h"
#include "editing/records/LayerSnapshot.h"
#include "editing/records/SelectionSnapshot.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/Project.h"
#include "platform/Exceptions.h"
#include "settings/Settings.h"

#include <new>

namespace kv {

Project* OpenProject() {
    return CurrentProject();
}

Image* CurrentImage() {
    const Project* project = CurrentProject();
    return project ? project->currentImage() : nullptr;
}

Layer* CurrentRasterLayer() {
    const Image* image = CurrentImage();
    return image ? dynamic_cast<Layer*>(image->currentLayer()) : nullptr;
}

bool RunReported(CommandHost& host, const std::function<bool()>& step) {
    try {
        return step();
    } catch (const CKVAbortRequest&) {
        // The user cancelled; nothing to say.
    } catch (const CKVException& error) {
        host.reportError(error.message());
    } catch (const std::bad_alloc&) {
        host.reportError(kInsufficientMemory);
    }
    return false;
}

bool PerformAction(CommandHost& host, std::unique_ptr<Action> action) {
    Image* image = CurrentImage();
    auto* manager = image ? dynamic_cast<ActionManager*>(image->history()) : nullptr;
    if (!manager || !action) return false;
    const bool done = RunReported(host, [&] { return manager->perform(image, action); });
    if (done) host.refresh(RefreshScope::Everything);
    return done;
}

void CommitCurrentSnapshots() {
    if (const Image* image = CurrentImage()) {
        CommitSnapshots(*image);
        return;
    }
    LayerSnapshot::instance().release();
    SelectionSnapshot::instance().release();
}

std::uint64_t SupersamplingLimit() {
    // The setting's default when there is no store.
    return HaveSettings() ? Settings().unsignedValue("Limits.Supersampling.MaxPixelCount") : 100000;
}

bool SupersamplingAllowed(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return false;
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    return pixels <= SupersamplingLimit();
}

std::string TextSettingValue(const char* name) {
    return HaveSettings() ? Settings().textValue(name) : std::string();
}

void SetTextSetting(const char* name, const std::string& value) {
    if (HaveSettings()) Settings().textSetting(name).setValue(value);
}

} // namespace kv
