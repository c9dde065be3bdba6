#include "tools/framework/VisibleColor.h"

#include "model/Image.h"
#include "model/MagnifiedRenderer.h"

namespace kv {

bool PointInImage(const Image& image, ImagePoint p) {
    const Point pixel = ImagePixelOf(p);
    return image.bounds().contains(pixel.x, pixel.y);
}

Color32 VisibleColorAt(const Image& image, ImagePoint p, int zoom) {
    Color32 pixel = 0;
    PixelArray view = PixelArray::wrap(1, 1, &pixel);
    const Rect clip{0, 0, 1, 1};
    // The screen pixel under the point lands on the buffer's only pixel.
    const Point screen = ImageToClient(p, {}, zoom);
    const Point origin{-screen.x, -screen.y};
    RenderOperation operation = RenderOperation::Copy;
    const auto draw = [&](const PixelArray* cache) {
        if (!cache) return;
        RenderMagnified(view, clip, origin, zoom, *cache, operation);
        operation = RenderOperation::Blend;
    };
    draw(image.validBelowCache());
    if (const LayerBase* layer = image.currentLayer(); layer && layer->visible()) {
        layer->render(view, clip, origin, zoom, operation);
        operation = RenderOperation::Blend;
    }
    draw(image.validAboveCache());
    return pixel;
}

} // namespace kv
