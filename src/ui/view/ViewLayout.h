#pragma once
// Where the image lies in the view: the scaled image inside a margin, centred
// when it fits the client area, else placed by the scroll position.
#include "model/Geometry.h"
#include "tools/framework/ToolGeometry.h"

#include <cstdint>

namespace kv {

struct ViewSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend constexpr bool operator==(ViewSize, ViewSize) = default;
};

class ViewLayout {
  public:
    // Client pixels kept free around the scaled image.
    static constexpr std::int32_t kMargin = 16;

    // An image of 0 x 0 stands for no image.
    ViewLayout(ViewSize image, int factor, ViewSize client, Point scroll = {});

    int factor() const { return m_factor; }
    ViewSize client() const { return m_client; }
    Point scroll() const { return m_scroll; }
    ViewSize scaledImage() const;
    // The scrollable size: the scaled image and its margins (0 without image).
    ViewSize content() const;
    Point maxScroll() const;
    // The client position of the image's top-left corner.
    Point origin() const;
    // The scaled image in client pixels.
    Rect imageRect() const;
    Point clientCentre() const { return {m_client.width / 2, m_client.height / 2}; }

    ImagePoint toImage(Point client) const { return ViewToImage(client, origin(), m_factor); }
    // The image point under the client centre, as zooming keeps it.
    ImagePoint centreAnchor() const;
    // The same as the per-image view state stores it (0, 0 without image).
    ImagePoint centreForViewState() const;
    // The scroll position that brings an image point under a client pixel,
    // as near as the scroll range allows.
    Point scrollPlacing(ImagePoint p, Point client) const;

  private:
    bool hasImage() const { return m_image.width > 0 && m_image.height > 0; }

    ViewSize m_image;
    int m_factor;
    ViewSize m_client;
    Point m_scroll;
};

// The zoom level at which a rectangle of image units fits the client area
// (without scroll bars) of the given size, for an image of the given size:
// scroll bars that the scaled image would need take their room first.
int FitZoomLevel(const Rect& units, ViewSize image, ViewSize area, ViewSize scrollBars);

} // namespace kv
