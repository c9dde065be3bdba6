#pragma once
// How a raster edit made by a tool becomes one undoable action: the snapshots
// are made current at the press, the tool paints straight into the layer,
// and at the end the painted rectangle is recorded as its difference against
// the layer snapshot.
#include "model/Geometry.h"

#include <memory>
#include <string>

namespace kv {

class Action;
class Image;

// Hands a finished action to the image's history. False (and the action is
// dropped) when the image keeps none.
bool RecordInHistory(Image& image, std::unique_ptr<Action> action);

// At the press that starts painting: the snapshots hold the layer and the
// selection as they are before the edit. False when memory runs out.
bool BeginStroke(const Image& image);

// At the end of the edit. The stroke rectangle (image units) is clipped to
// the current layer; nothing is recorded when it is empty. Otherwise the
// image is updated over it, a Modify Layer action with the label records the
// change in the image's history, and the snapshots are refreshed ("Commit
// failed" when they cannot be). True when an action was recorded.
bool CommitStroke(Image& image, const Rect& strokeUnits, const std::string& label);

} // namespace kv
