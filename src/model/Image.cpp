#include "model/Image.h"

#include "model/IdAssignment.h"
#include "model/Project.h"
#include "platform/ErrorReporter.h"

#include <algorithm>
#include <new>

namespace kv {
namespace {

// Shows why an update failed; call it inside a handler. Nothing leaves it: a
// box that cannot be shown while the heap is still exhausted is given up, and
// so is an exception of a type none of ours derives from.
void ReportFailedUpdate() noexcept {
    try {
        ReportCurrentException();
    } catch (...) {
    }
}

// Like the other parts, a selection that cannot be created is reported and
// left null; the image then behaves as if it had no selection.
std::unique_ptr<Selection> CreateSelection() {
    std::unique_ptr<Selection> selection(new (std::nothrow) Selection);
    if (!selection) ReportError("Selection creation failed");
    return selection;
}

} // namespace

Image::Image() : m_history(CreateImageHistory()), m_selection(CreateSelection()) {}

Image::~Image() {
    ++m_updateLock;
    if (m_owner) m_owner->detachImage(this);
    m_currentLayer = nullptr;
    m_layers.clear();
    m_caches = {};
    m_composite.release();
    m_targetPreview.reset();
    m_palette.reset();
    m_selection.reset();
    m_history.reset();
}

void Image::setSize(std::int32_t width, std::int32_t height) {
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_composite.setSize(width, height);
    if (m_targetPreview) m_targetPreview->setSize(width, height);
    for (auto& cache : m_caches)
        if (cache) cache->setSize(width, height);
    if (m_selection) m_selection->followImage(*this);
    markModified();
}

void Image::setResolution(float horizontal, float vertical) {
    m_resolutionX = horizontal;
    m_resolutionY = vertical;
    markModified();
}

void Image::setHorizontalResolution(float value) {
    setResolution(value, m_resolutionY);
}
void Image::setVerticalResolution(float value) {
    setResolution(m_resolutionX, value);
}

void Image::setTargetFormat(TargetFormat format) {
    if (format == m_targetFormat) return;
    m_targetFormat = format;
    m_palette.reset();
    switch (format) {
    case TargetFormat::Mono:
    case TargetFormat::Palette4:
    case TargetFormat::Palette8:
        m_palette.reset(new (std::nothrow) Palette);
        if (!m_palette) {
            ReportError("Palette creation failed");
        } else if (format == TargetFormat::Palette8) {
            m_paletteLocked = false;
            regeneratePalette();
        } else {
            m_palette->setStandard(format == TargetFormat::Mono ? StandardPalette::BlackAndWhite
                                                                : StandardPalette::Colors16);
            m_paletteLocked = true;
        }
        [[fallthrough]];
    case TargetFormat::Rgb24:
        if (!m_targetPreview) m_targetPreview = std::make_unique<PixelArray>(m_width, m_height);
        renderTargetPreview(bounds());
        break;
    case TargetFormat::Rgba32:
        m_targetPreview.reset();
        break;
    default:
        m_targetPreview.reset();
        ReportError("Unsupported target format");
        break;
    }
    markModified();
}

void Image::setStoredOption(bool flag) {
    if (flag == m_storedOption) return;
    m_storedOption = flag;
    if (m_palette) renderTargetPreview(bounds());
    markModified();
}

void Image::setPaletteLocked(bool flag) {
    if (flag == m_paletteLocked) return;
    m_paletteLocked = flag;
    if (!flag && m_palette) {
        regeneratePalette();
        renderTargetPreview(bounds());
    }
    markModified();
}

void Image::setForExport(bool flag) {
    m_forExport = flag;
    markModified();
}

LayerBase* Image::layerAt(std::uint32_t position) const {
    return position >= 1 && position <= m_layers.size() ? m_layers[position - 1].get() : nullptr;
}

LayerBase* Image::findLayer(std::uint32_t id) const {
    for (const auto& layer : m_layers)
        if (layer->id() == id) return layer.get();
    return nullptr;
}

std::size_t Image::indexOf(const LayerBase* layer) const {
    for (std::size_t i = 0; i < m_layers.size(); ++i)
        if (m_layers[i].get() == layer) return i;
    return m_layers.size();
}

void Image::renumberLayers(std::size_t from) {
    for (std::size_t i = from; i < m_layers.size(); ++i)
        m_layers[i]->m_position = static_cast<std::uint32_t>(i + 1);
}

void Image::assignLayerNumbers(LayerBase& layer) const {
    if (layer.m_id == 0) {
        std::vector<std::uint32_t> ids;
        for (const auto& other : m_layers)
            if (other.get() != &layer) ids.push_back(other->m_id);
        layer.m_id = NextFreeId(std::move(ids));
    }
    if (layer.m_nameNumber == 0) {
        std::uint32_t largest = 0;
        for (const auto& other : m_layers)
            if (other.get() != &layer && other->m_kind == layer.m_kind)
                largest = std::max(largest, other->m_nameNumber);
        layer.m_nameNumber = largest + 1;
    }
}

LayerBase* Image::insertLayer(std::unique_ptr<LayerBase> layer, LayerBase* before) {
    if (!layer) return nullptr;
    LayerBase* raw = layer.get();
    const std::size_t at = before ? std::min(indexOf(before), m_layers.size()) : m_layers.size();
    m_layers.insert(m_layers.begin() + static_cast<std::ptrdiff_t>(at), std::move(layer));
    raw->m_owner = this;
    renumberLayers(at);
    assignLayerNumbers(*raw);
    raw->fitToImage();
    markModified();
    update();
    return raw;
}

void Image::moveLayer(LayerBase* layer, LayerBase* before) {
    const std::size_t from = indexOf(layer);
    if (from == m_layers.size() || layer == before) return;
    std::unique_ptr<LayerBase> owned = std::move(m_layers[from]);
    m_layers.erase(m_layers.begin() + static_cast<std::ptrdiff_t>(from));
    const std::size_t to = before ? std::min(indexOf(before), m_layers.size()) : m_layers.size();
    m_layers.insert(m_layers.begin() + static_cast<std::ptrdiff_t>(to), std::move(owned));
    renumberLayers(std::min(from, to));
    markModified();
    update();
}

std::unique_ptr<LayerBase> Image::removeLayer(LayerBase* layer) {
    const std::size_t at = indexOf(layer);
    if (at == m_layers.size()) return nullptr;
    if (m_currentLayer == layer) m_currentLayer = nullptr;
    std::unique_ptr<LayerBase> owned = std::move(m_layers[at]);
    m_layers.erase(m_layers.begin() + static_cast<std::ptrdiff_t>(at));
    renumberLayers(at);
    owned->m_owner = nullptr;
    owned->m_position = 0;
    markModified();
    update();
    return owned;
}

void Image::setCurrentLayer(LayerBase* layer) {
    if (layer == m_currentLayer) return;
    m_currentLayer = layer;
    rebuildCaches(bounds());
}

void Image::unlockUpdates() {
    if (m_updateLock <= 0) return;
    if (--m_updateLock == 0) update();
}

ImageUpdateLock::~ImageUpdateLock() noexcept {
    try {
        m_image.unlockUpdates();
    } catch (...) {
        // The update stopped part-way; the next one redoes the whole image.
        m_image.markForFullUpdate();
        ReportFailedUpdate();
    }
}

std::size_t Image::memorySize() const {
    std::size_t size = 128;
    for (const auto& layer : m_layers)
        size += layer->memorySize();
    if (m_palette) size += m_palette->memorySize();
    if (m_selection) size += m_selection->memorySize();
    size += m_composite.memorySize();
    if (m_targetPreview) size += m_targetPreview->memorySize();
    for (const auto& cache : m_caches)
        if (cache) size += cache->memorySize();
    return size;
}

} // namespace kv
