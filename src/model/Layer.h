#pragma once
#include "model/LayerBase.h"
#include "model/SupersampleSet.h"

#include <memory>

namespace kv {

// The concrete layer: an ordinary raster, optionally painted at 8x through a
// supersample set whose reduced levels follow the detail level.
class Layer : public LayerBase {
  public:
    Layer() : LayerBase(LayerKind::Layer) {}
    ~Layer() override;

    void setSize(std::int32_t width, std::int32_t height) override;
    // Reduces the 8x level into the 4x, 2x and level-0 pixels.
    void refreshFromDetail(const Rect* rect) override;
    // Supersampled: draws the most detailed level the zoom allows, magnified by
    // what remains of the zoom (zoom 24 draws the 8x level magnified by 3).
    void render(PixelArray& view, const Rect& clip, Point origin, int zoom,
                RenderOperation operation) const override;
    const char* typeName() const override { return "Layer"; }
    std::size_t memorySize() const override;
    int supersamplingFactor() const override { return m_supersample ? SupersampleSet::kLevels : 0; }

    bool supersampled() const { return m_supersample != nullptr; }
    // On: levels made by replicating each level into the next. Off: the set is
    // dropped and the reduced level-0 pixels stay.
    void setSupersampled(bool on);
    SupersampleSet* supersampleSet() { return m_supersample.get(); }
    const SupersampleSet* supersampleSet() const { return m_supersample.get(); }
    // The raster that tools paint into: the 8x level when supersampled.
    PixelArray& editablePixels() { return m_supersample ? m_supersample->detail() : pixels(); }
    const PixelArray& editablePixels() const {
        return m_supersample ? m_supersample->detail() : pixels();
    }

  private:
    std::unique_ptr<SupersampleSet> m_supersample;
};

} // namespace kv
