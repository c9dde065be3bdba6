#pragma once
// Where a tool draws its feedback over the view (tip outlines, preview
// lines): the view's raster at its zoom and image origin, clipped to the
// rectangle being repainted. Every touched pixel is inverted once when the
// drawing is finished, so the outlines show on any picture.
#include "model/Geometry.h"
#include "model/MaskArray.h"
#include "model/PixelArray.h"
#include "tools/framework/ToolGeometry.h"

#include <cstdint>
#include <vector>

namespace kv {

class OverlayCanvas {
  public:
    OverlayCanvas(PixelArray& view, const Rect& clip, Point origin, int zoom);

    int zoom() const { return m_zoom; }
    Point toClient(ImagePoint p) const { return ImageToClient(p, m_origin, m_zoom); }

    // A one-pixel line between the screen pixels of two points.
    void line(ImagePoint a, ImagePoint b);
    // The outline of an image-unit rectangle.
    void rectangle(const Rect& units);
    // The outline of the ellipse inscribed in an image-unit rectangle.
    void ellipse(const Rect& units);
    // A small square mark of a fixed screen size around a point.
    void mark(ImagePoint p);
    // Every screen pixel over a cell of at least half coverage (128), for a
    // coverage raster whose cell (0, 0) has its top-left corner at `topLeft`
    // and whose cells are `cellUnits` wide.
    void coverage(const MaskArray& cells, ImagePoint topLeft, std::int32_t cellUnits);
    // The staircase around the set cells of a mask whose cell (0, 0) has its
    // top-left corner at `topLeft` and whose cells are `cellUnits` wide.
    void cellOutline(const MaskArray& cells, ImagePoint topLeft, std::int32_t cellUnits);

    // Inverts every pixel drawn since the last call, each once.
    void finish();

    // Half the side of a mark, in screen pixels.
    static constexpr std::int32_t kMarkRadius = 3;

  private:
    void plot(std::int32_t x, std::int32_t y);
    void screenLine(Point a, Point b);
    void rectangleOnScreen(Point a, Point b);

    PixelArray& m_view;
    Rect m_clip;
    Point m_origin;
    int m_zoom;
    std::vector<Point> m_points;
};

} // namespace kv
