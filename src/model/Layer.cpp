#include "model/Layer.h"

#include "model/LevelReducer.h"

namespace kv {

Layer::~Layer() = default;

void Layer::setSize(std::int32_t width, std::int32_t height) {
    LayerBase::setSize(width, height);
    if (m_supersample && (m_supersample->width() != width || m_supersample->height() != height)) {
        m_supersample->setSize(width, height);
        // Like the layer's own pixels, resized detail starts transparent.
        for (int i = 1; i <= SupersampleSet::kLevels; ++i)
            m_supersample->level(i).fill(0);
    }
}

void Layer::refreshFromDetail(const Rect* rect) {
    if (m_supersample) ReduceLevels(*m_supersample, rect);
}

void Layer::render(PixelArray& view, const Rect& clip, Point origin, int zoom,
                   RenderOperation operation) const {
    if (!m_supersample) {
        LayerBase::render(view, clip, origin, zoom, operation);
        return;
    }
    int level = 0;
    int residual = zoom;
    while (residual > 1 && level < SupersampleSet::kLevels) {
        ++level;
        residual >>= 1;
    }
    RenderWithOpacity(view, clip, origin, residual, m_supersample->level(level), operation,
                      opacity());
}

std::size_t Layer::memorySize() const {
    std::size_t size = LayerBase::memorySize() + 8;
    if (m_supersample) size += 24 + m_supersample->levelsMemorySize();
    return size;
}

void Layer::setSupersampled(bool on) {
    if (on == supersampled()) return;
    if (!on) {
        m_supersample.reset();
        return;
    }
    m_supersample = std::make_unique<SupersampleSet>(&pixels(), width(), height());
    m_supersample->replicateFromLevel0();
}

} // namespace kv
