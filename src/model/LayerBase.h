#pragma once
#include "model/Geometry.h"
#include "model/MagnifiedRenderer.h"
#include "model/ModelTypes.h"
#include "model/PixelArray.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kv {

class Image;

// A layer of an image's stack. Images own their layers; a layer removed from
// its image belongs to whoever took it out.
class LayerBase {
  public:
    virtual ~LayerBase();
    LayerBase(const LayerBase&) = delete;
    LayerBase& operator=(const LayerBase&) = delete;

    // Sets the size to the owner's (0 x 0 without one).
    void fitToImage();
    // A new size clears the pixels to transparent black.
    virtual void setSize(std::int32_t width, std::int32_t height);
    // Rebuilds the derived resolution levels inside the rectangle (the whole
    // layer when null) after the detail level was painted. Plain layers have none.
    virtual void refreshFromDetail(const Rect* rect);
    // Draws the layer into a view raster with its pixel (0, 0) at `origin`,
    // magnified `zoom` times, only inside `clip`: Copy copies and then applies
    // the opacity to the clip rectangle's alpha, Blend blends with the opacity.
    virtual void render(PixelArray& view, const Rect& clip, Point origin, int zoom,
                        RenderOperation operation) const;
    virtual const char* typeName() const = 0;
    virtual std::size_t memorySize() const;
    // 0 for an ordinary layer, the number of detail levels otherwise.
    virtual int supersamplingFactor() const { return 0; }

    Image* owner() const { return m_owner; }
    LayerKind kind() const { return m_kind; }
    std::uint32_t position() const { return m_position; }
    std::uint32_t id() const { return m_id; }
    std::uint32_t nameNumber() const { return m_nameNumber; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool visible() const { return m_visible; }
    BlendMode blendMode() const { return m_blendMode; }
    float opacity() const { return m_opacity; }
    const std::string& name() const { return m_name; }
    PixelArray& pixels() { return m_pixels; }
    const PixelArray& pixels() const { return m_pixels; }
    // The layer below / above in its image, or null.
    LayerBase* below() const;
    LayerBase* above() const;

    // Plain setters: they change the layer only. Edits that the user makes go
    // through actions, which also update the image.
    void setId(std::uint32_t id) { m_id = id; }
    void setNameNumber(std::uint32_t number) { m_nameNumber = number; }
    void setVisible(bool visible) { m_visible = visible; }
    void setBlendMode(BlendMode mode) { m_blendMode = mode; }
    void setOpacity(float opacity) { m_opacity = opacity; }
    void setName(std::string name) { m_name = std::move(name); }

    // The name, or "<type name> <name number>" when it has none; at most 255 characters.
    std::string displayName() const;

  protected:
    explicit LayerBase(LayerKind kind) : m_kind(kind) {}

  private:
    friend class Image;

    Image* m_owner = nullptr;
    LayerKind m_kind;
    std::uint32_t m_position = 0;
    std::uint32_t m_id = 0;
    std::uint32_t m_nameNumber = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    bool m_visible = true;
    BlendMode m_blendMode = BlendMode::Normal;
    float m_opacity = 1.0f;
    PixelArray m_pixels;
    std::string m_name;
};

} // namespace kv
