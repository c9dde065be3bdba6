#pragma once
// What every command family needs: the open project and its current image,
// performing an action with the errors owned, and the snapshots after the
// current image changed.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kv {

class Action;
class CommandHost;
class Image;
class Layer;
class LayerBase;
class Project;

Project* OpenProject();
// The open project's current image, or null.
Image* CurrentImage();
// The current layer of the current image when it is a raster layer.
Layer* CurrentRasterLayer();

// Runs one step of a command: a CKVException shows its message, heap
// exhaustion "Insufficient memory", a cancel nothing; false then.
bool RunReported(CommandHost& host, const std::function<bool()>& step);

// The command protocol: the action is performed on the current image and
// recorded; the interface is refreshed when it succeeded. A failing run
// destroys the action and changes nothing; errors are reported.
bool PerformAction(CommandHost& host, std::unique_ptr<Action> action);

// After the current image or layer changed hands: the snapshots follow the
// current image, or are released when there is none.
void CommitCurrentSnapshots();

// Whether an image of this size may have supersampled layers
// ("Limits.Supersampling.MaxPixelCount").
bool SupersamplingAllowed(std::int32_t width, std::int32_t height);
std::uint64_t SupersamplingLimit();

// A text setting, and storing one; without a settings store nothing is kept.
std::string TextSettingValue(const char* name);
void SetTextSetting(const char* name, const std::string& value);

} // namespace kv
