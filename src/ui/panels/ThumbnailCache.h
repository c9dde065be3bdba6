#pragma once
#include <QImage>
#include <QPixmap>

#include <cstdint>
#include <map>

namespace kv {

class Image;
class LayerBase;
class PixelArray;
class Project;

// The list thumbnails of images and layers, drawn once and kept until their
// image is reported changed, so that a refresh after one stroke redraws only
// the touched image's pictures.
class ThumbnailCache {
  public:
    explicit ThumbnailCache(int size) : m_size(size) {}

    const QPixmap& imageThumbnail(const Image& image);
    const QPixmap& layerThumbnail(const Image& image, const LayerBase& layer);
    // The image's pictures and those of its layers are drawn again on next use.
    void invalidate(const Image& image);
    // Forgets what belongs to images that left the project (or all of it).
    void prune(const Project* project);
    int size() const { return m_size; }

  private:
    struct Entry {
        QPixmap picture;
        std::int32_t width = 0;
        std::int32_t height = 0;
        bool stale = false;
    };
    const QPixmap& lookup(std::map<const void*, Entry>& cache, const void* key,
                          const PixelArray& pixels);
    QPixmap render(const PixelArray& pixels);

    int m_size;
    std::map<const void*, Entry> m_images;
    // Layers by owner image, so that invalidating an image reaches them.
    std::map<const Image*, std::map<const void*, Entry>> m_layers;
};

// The image's pixels as a picture (no copy: valid while the pixels live).
QImage PictureOf(const PixelArray& pixels);

} // namespace kv
