#include "model/Layer.h"

namespace kv {

Layer::~Layer() = default;

void Layer::setSize(std::int32_t width, std::int32_t height) {
    LayerBase::setSize(width, height);
    if (m_supersample && (m_supersample->width() != width || m_supersample->height() != height))
        m_supersample->setSize(width, height);
}

std::size_t Layer::memorySize() const {
    std::size_t size = LayerBase::memorySize() + 8;
    if (m_supersample)
        size += 24 + m_supersample->levelsMemorySize();
    return size;
}

void Layer::setSupersampled(bool on) {
    if (on == supersampled())
        return;
    if (!on) {
        m_supersample.reset();
        return;
    }
    m_supersample = std::make_unique<SupersampleSet>(&pixels(), width(), height());
    m_supersample->replicateFromLevel0();
}

} // namespace kv
