#pragma once
#include "model/ImageHistory.h"
#include "model/LayerBase.h"
#include "model/ModelTypes.h"
#include "model/Palette.h"
#include "model/PixelArray.h"
#include "model/Selection.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

class Project;

// One picture of a project: its layer stack (bottom first), selection,
// palette, undo history, the flattened composite, the preview in the target
// format and the two view caches. Every mutator marks the image modified;
// the ones that change what is shown update it unless updates are locked.
class Image {
  public:
    Image();
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // --- identity and place in the project
    Project* owner() const { return m_owner; }
    std::uint32_t kind() const { return kImageKind; }
    std::uint32_t position() const { return m_position; }
    std::uint32_t id() const { return m_id; }
    void setId(std::uint32_t id) { m_id = id; }

    // --- properties
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    Rect bounds() const { return Rect::ofSize(m_width, m_height); }
    float horizontalResolution() const { return m_resolutionX; }
    float verticalResolution() const { return m_resolutionY; }
    TargetFormat targetFormat() const { return m_targetFormat; }
    bool storedOption() const { return m_storedOption; }
    bool paletteLocked() const { return m_paletteLocked; }
    bool forExport() const { return m_forExport; }
    bool modified() const { return m_modified; }

    // Resizes composite, preview and caches (rebuilt by the next update) and
    // lets the selection follow; layers are left to the caller.
    void setSize(std::int32_t width, std::int32_t height);
    void setResolution(float horizontal, float vertical);
    void setHorizontalResolution(float value);
    void setVerticalResolution(float value);
    void setTargetFormat(TargetFormat format);
    void setStoredOption(bool flag);
    void setPaletteLocked(bool flag);
    void setForExport(bool flag);
    void markModified() { m_modified = true; }
    void clearModified() { m_modified = false; }

    // --- layers
    std::int32_t layerCount() const { return static_cast<std::int32_t>(m_layers.size()); }
    // 1-based from the bottom; null outside 1..count.
    LayerBase* layerAt(std::uint32_t position) const;
    LayerBase* bottomLayer() const { return m_layers.empty() ? nullptr : m_layers.front().get(); }
    LayerBase* topLayer() const { return m_layers.empty() ? nullptr : m_layers.back().get(); }
    LayerBase* currentLayer() const { return m_currentLayer; }
    LayerBase* findLayer(std::uint32_t id) const;

    // Links the layer directly below `before` (on top when null), assigns id
    // and name number when 0, fits it to the image; update.
    LayerBase* insertLayer(std::unique_ptr<LayerBase> layer, LayerBase* before = nullptr);
    // Relinks the layer directly below `before` (on top when null); update.
    void moveLayer(LayerBase* layer, LayerBase* before);
    // Unlinks the layer and hands it back (null if it is not one of ours); update.
    std::unique_ptr<LayerBase> removeLayer(LayerBase* layer);
    // Rebuilds the view caches for the new current layer.
    void setCurrentLayer(LayerBase* layer);

    // --- updates
    void lockUpdates() { ++m_updateLock; }
    // At zero a full update follows.
    void unlockUpdates();
    // Leaves the lock without updating.
    void unlockUpdatesQuietly() {
        if (m_updateLock > 0) --m_updateLock;
    }
    bool updatesLocked() const { return m_updateLock > 0; }
    std::int32_t updateLockCount() const { return m_updateLock; }
    // Brings composite, palette, preview and caches up to date inside the
    // rectangle (the whole image when null) and marks the image modified.
    // An update that failed part-way (heap exhaustion) leaves the image marked,
    // and the next update then covers the whole image.
    void update(const Rect* rect = nullptr);
    void update(const Rect& rect) { update(&rect); }
    // The next update covers the whole image, whatever rectangle it is given.
    void markForFullUpdate() noexcept { m_fullUpdatePending = true; }
    bool fullUpdatePending() const { return m_fullUpdatePending; }

    // --- owned parts
    ImageHistory* history() const { return m_history.get(); }
    Selection* selection() const { return m_selection.get(); }
    Palette* palette() const { return m_palette.get(); }
    const PixelArray& composite() const { return m_composite; }
    PixelArray& composite() { return m_composite; }
    // Null for 32-bit targets.
    const PixelArray* targetPreview() const { return m_targetPreview.get(); }
    const PixelArray* validBelowCache() const { return m_validBelow; }
    const PixelArray* validAboveCache() const { return m_validAbove; }
    std::array<std::uint32_t, 4>& viewState() { return m_viewState; }

    std::size_t memorySize() const;

  private:
    friend class Project;

    void renumberLayers(std::size_t from);
    std::size_t indexOf(const LayerBase* layer) const;
    void assignLayerNumbers(LayerBase& layer) const;
    // The steps of update(), each inside the rectangle.
    void flattenComposite(const Rect& rect);
    void refreshPaletteAndPreview(const Rect& rect);
    void renderTargetPreview(const Rect& rect);
    void rebuildCaches(const Rect& rect);
    void regeneratePalette();

    Project* m_owner = nullptr;
    std::uint32_t m_position = 0;
    std::uint32_t m_id = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    float m_resolutionX = kDefaultResolution;
    float m_resolutionY = kDefaultResolution;
    TargetFormat m_targetFormat = TargetFormat::None;
    bool m_storedOption = false;
    bool m_paletteLocked = false;
    bool m_forExport = true;
    std::unique_ptr<ImageHistory> m_history;
    std::unique_ptr<Selection> m_selection;
    std::unique_ptr<Palette> m_palette;
    PixelArray m_composite;
    std::unique_ptr<PixelArray> m_targetPreview;
    std::vector<std::unique_ptr<LayerBase>> m_layers; // bottom first
    LayerBase* m_currentLayer = nullptr;
    bool m_modified = false;
    std::int32_t m_updateLock = 0;
    bool m_fullUpdatePending = false;
    std::array<std::unique_ptr<PixelArray>, 2> m_caches;
    const PixelArray* m_validBelow = nullptr;
    const PixelArray* m_validAbove = nullptr;
    std::array<std::uint32_t, 4> m_viewState{};
};

// Locks an image's updates for a scope; the full update runs when the last
// lock goes, also when an exception leaves the scope. Leaving never throws:
// an update that fails (heap exhaustion) is reported to the user and the
// image stays marked for a full update.
class ImageUpdateLock {
  public:
    explicit ImageUpdateLock(Image& image) : m_image(image) { m_image.lockUpdates(); }
    ~ImageUpdateLock() noexcept;
    ImageUpdateLock(const ImageUpdateLock&) = delete;
    ImageUpdateLock& operator=(const ImageUpdateLock&) = delete;

  private:
    Image& m_image;
};

} // namespace kv
