#include "ui/panels/ThumbnailCache.h"

#include "model/Image.h"
#include "model/LayerBase.h"
#include "model/PixelArray.h"
#include "model/Project.h"

#include <QImage>
#include <QPainter>

#include <set>

namespace kv {

QImage PictureOf(const PixelArray& pixels) {
    if (pixels.isEmpty()) return {};
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(), pixels.height(),
                  pixels.width() * 4, QImage::Format_ARGB32);
}

const QPixmap& ThumbnailCache::imageThumbnail(const Image& image) {
    return lookup(m_images, &image, image.composite());
}

const QPixmap& ThumbnailCache::layerThumbnail(const Image& image, const LayerBase& layer) {
    return lookup(m_layers[&image], &layer, layer.pixels());
}

const QPixmap& ThumbnailCache::lookup(std::map<const void*, Entry>& cache, const void* key,
                                      const PixelArray& pixels) {
    Entry& entry = cache[key];
    // A size change is a change even when nobody reported it.
    if (entry.picture.isNull() || entry.stale || entry.width != pixels.width() ||
        entry.height != pixels.height()) {
        entry.picture = render(pixels);
        entry.width = pixels.width();
        entry.height = pixels.height();
        entry.stale = false;
    }
    return entry.picture;
}

QPixmap ThumbnailCache::render(const PixelArray& pixels) {
    QPixmap picture(m_size, m_size);
    picture.fill(Qt::transparent);
    if (pixels.isEmpty()) return picture;
    QPainter painter(&picture);
    const QImage source = PictureOf(pixels);
    // Small images keep whole pixels; large ones shrink smoothly.
    QSize fit = source.size().scaled(m_size, m_size, Qt::KeepAspectRatio);
    if (source.width() <= m_size && source.height() <= m_size) {
        const int factor = std::max(1, std::min(m_size / source.width(), m_size / source.height()));
        fit = source.size() * factor;
    }
    const QRect target((m_size - fit.width()) / 2, (m_size - fit.height()) / 2, fit.width(),
                       fit.height());
    const int cell = 4;
    for (int y = target.top(); y <= target.bottom(); y += cell)
        for (int x = target.left(); x <= target.right(); x += cell) {
            const bool dark = ((x - target.left()) / cell + (y - target.top()) / cell) % 2;
            painter.fillRect(QRect(x, y, cell, cell).intersected(target),
                             dark ? QColor(0xC0, 0xC0, 0xC0) : QColor(0xF0, 0xF0, 0xF0));
        }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, fit.width() < source.width());
    painter.drawImage(target, source);
    return picture;
}

void ThumbnailCache::invalidate(const Image& image) {
    if (auto it = m_images.find(&image); it != m_images.end()) it->second.stale = true;
    if (auto it = m_layers.find(&image); it != m_layers.end())
        for (auto& [key, entry] : it->second)
            entry.stale = true;
}

void ThumbnailCache::prune(const Project* project) {
    std::set<const void*> images;
    std::set<const void*> layers;
    for (std::int32_t i = 1; project && i <= project->imageCount(); ++i) {
        const Image* image = project->imageAt(static_cast<std::uint32_t>(i));
        images.insert(image);
        for (const LayerBase* layer = image->bottomLayer(); layer; layer = layer->above())
            layers.insert(layer);
    }
    std::erase_if(m_images, [&](const auto& item) { return !images.count(item.first); });
    std::erase_if(m_layers, [&](const auto& item) { return !images.count(item.first); });
    for (auto& [image, cache] : m_layers)
        std::erase_if(cache, [&](const auto& item) { return !layers.count(item.first); });
}

} // namespace kv
