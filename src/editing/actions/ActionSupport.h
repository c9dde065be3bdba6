#pragma once
// What every edit action needs from the model: layers found by id when the
// action runs, placement "above id X", the raster layer factory and the
// refresh that follows a change.
#include "model/Geometry.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace kv {

class Image;
class Layer;
class LayerBase;

// The layer with that id, or null (also for negative ids).
LayerBase* FindLayerById(const Image& image, std::int32_t id);
// The raster layer with that id, or null.
Layer* FindRasterLayer(const Image& image, std::int32_t id);

// The layer that a layer placed above id X must go before: the one directly
// above X, null (the top) when X is the top layer, the bottom layer when no
// layer has id X.
LayerBase* PlacementAbove(const Image& image, std::int32_t id);
LayerBase& InsertLayerAbove(Image& image, std::unique_ptr<LayerBase> layer, std::int32_t id);
void MoveLayerAbove(Image& image, LayerBase& layer, std::int32_t id);
// The layer directly above id X, or the top layer when X is not found.
LayerBase* LayerAboveOrTop(const Image& image, std::int32_t id);
// Removes and destroys the layer.
void DestroyLayer(Image& image, LayerBase& layer);
// Undoes an insertion: destroys the layer under one update lock and makes
// the layer with the given id (the one it was placed above) current.
void DestroyInsertedLayer(Image& image, LayerBase& layer, std::int32_t belowId);

// A new, empty raster layer; "Raster layer creation failed" is raised when
// memory runs out.
std::unique_ptr<Layer> CreateRasterLayer();
// Inserts a new, empty raster layer above id X (on top when X is negative),
// sets its supersampling and makes it current. Call under an update lock.
Layer& InsertNewRasterLayer(Image& image, std::int32_t belowId, bool supersampled);

// The image rectangle covered by an editable-raster rectangle of a layer at
// the given supersampling factor (3 or 0): left and top rounded down, right
// and bottom up.
Rect DetailToImageRect(const Rect& rect, int factor);

// Called after an action changed an image, for the user interface to follow
// (layers panel, preview, main view). None is installed in the core library.
using ActionRefreshHandler = std::function<void(Image&)>;
void SetActionRefreshHandler(ActionRefreshHandler handler);
void RefreshUserInterface(Image& image);

} // namespace kv
