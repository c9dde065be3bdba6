#include "ui/view/MainView.h"

#include "model/Image.h"
#include "model/SelectionOutline.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/ToolSet.h"
#include "tools/framework/ViewToolBridge.h"
#include "tools/framework/VisibleColor.h"
#include "ui/view/ViewRenderer.h"
#include "ui/view/ViewStatusSink.h"
#include "ui/view/ZoomTable.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace kv {
namespace {

// Past this many pieces a repaint draws their bounding rectangle once.
constexpr int kMaxPaintRects = 8;
constexpr int kFocusFrameWidth = 2;

QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.width(), r.height()};
}

} // namespace

MainView::MainView(SettingsStore& settings, QWidget* parent)
    : QAbstractScrollArea(parent), m_settings(settings) {
    m_tools = std::make_unique<ToolSet>(*this, settings);
    m_bridge = std::make_unique<ViewToolBridge>(*m_tools, *this);
    setAccessibleName("Image view");
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFocusFrameWidth);
    showFocus(false);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    m_autoScroll.setTimerType(Qt::PreciseTimer);
    connect(&m_autoScroll, &QTimer::timeout, this, [this] { autoScrollTick(); });
    connect(&m_outline, &QTimer::timeout, this, [this] { advanceOutline(); });
    updateScrollRanges();
}

MainView::~MainView() {
    // The tools may still talk to their host while they go.
    m_bridge.reset();
    m_tools.reset();
}

// --- the image shown

ViewSize MainView::imageSize() const {
    if (!m_image) return {};
    return {m_image->width(), m_image->height()};
}

ViewLayout MainView::layout() const {
    const QSize client = viewport()->size();
    return ViewLayout(imageSize(), zoom(), {client.width(), client.height()}, scrollPosition());
}

Point MainView::scrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

int MainView::zoom() const {
    return ZoomFactor(m_level);
}

void MainView::setImage(Image* image) {
    if (image == m_image) {
        imageChanged();
        return;
    }
    // A drag cannot go on in another image.
    if (m_bridge->interaction() != ViewInteraction::Idle) m_bridge->captureEnded();
    saveViewState();
    m_image = image;
    restoreViewState();
    updateOutlineTimer();
    viewport()->update();
    setCursorStep();
}

void MainView::releaseImage() {
    if (m_bridge->interaction() != ViewInteraction::Idle) m_bridge->captureEnded();
    m_image = nullptr;
    updateScrollRanges();
    updateOutlineTimer();
    viewport()->update();
}

void MainView::imageChanged() {
    updateScrollRanges();
    updateOutlineTimer();
    viewport()->update();
    // A new image size moves what lies under the pointer.
    if (imageSize() != m_shownSize) layoutChangedUnderPointer();
}

void MainView::saveViewState() {
    if (!m_image) return;
    const ImagePoint centre = layout().centreForViewState();
    m_image->viewState() = {static_cast<std::uint32_t>(zoom()), static_cast<std::uint32_t>(m_mode),
                            static_cast<std::uint32_t>(centre.x),
                            static_cast<std::uint32_t>(centre.y)};
}

void MainView::restoreViewState() {
    if (!m_image) {
        updateScrollRanges();
        return;
    }
    const auto& state = m_image->viewState();
    if (state[0] == 0) {
        zoomToFit();
        return;
    }
    setChannelMode(static_cast<ChannelMode>(std::min<std::uint32_t>(state[1], 2)));
    const ImagePoint centre{static_cast<std::int32_t>(state[2]),
                            static_cast<std::int32_t>(state[3])};
    applyZoom(LevelForFactor(static_cast<std::int32_t>(state[0])), centre, layout().clientCentre());
}

// --- zoom

std::string MainView::zoomLabel() const {
    return ZoomLabel(m_level);
}

void MainView::setZoomLevel(int level) {
    level = ClampZoomLevel(level);
    if (level == m_level) return;
    const ViewLayout before = layout();
    applyZoom(level, before.centreAnchor(), before.clientCentre());
}

void MainView::setZoomLevel(int level, const Rect& anchorUnits) {
    level = ClampZoomLevel(level);
    if (level == m_level) return;
    const ImagePoint centre{anchorUnits.left + anchorUnits.width() / 2,
                            anchorUnits.top + anchorUnits.height() / 2};
    applyZoom(level, centre, layout().clientCentre());
}

void MainView::setZoomLevelAt(int level, Point client) {
    level = ClampZoomLevel(level);
    if (level == m_level) return;
    applyZoom(level, pointerToImage(client), client);
}

void MainView::zoomToFit() {
    if (!m_image) return;
    if (!isVisible()) m_fitPending = true;
    const Rect units = LayerBoundsInUnits(m_image->width(), m_image->height());
    const QSize area = maximumViewportSize();
    const ViewSize bars{verticalScrollBar()->sizeHint().width(),
                        horizontalScrollBar()->sizeHint().height()};
    const int level = FitZoomLevel(units, imageSize(), {area.width(), area.height()}, bars);
    applyZoom(level, {units.width() / 2, units.height() / 2}, layout().clientCentre());
}

void MainView::applyZoom(int level, ImagePoint anchor, Point client) {
    ++m_redrawSuspended;
    const bool changed = level != m_level;
    m_level = level;
    updateScrollRanges();
    setScrollPosition(layout().scrollPlacing(anchor, client));
    --m_redrawSuspended;
    viewport()->update();
    if (changed) {
        if (m_statusSink) m_statusSink->zoomLabelChanged(zoomLabel());
        emit zoomLevelChanged(m_level);
    }
    layoutChangedUnderPointer();
}

void MainView::setChannelMode(ChannelMode mode) {
    if (mode == m_mode) return;
    m_mode = mode;
    viewport()->update();
    emit channelModeChanged(mode);
    layoutChangedUnderPointer();
}

Color32 MainView::pickVisibleColor(ImagePoint p) const {
    return m_image ? VisibleColorAt(*m_image, p, zoom()) : 0;
}

// --- scrolling

void MainView::updateScrollRanges() {
    m_shownSize = imageSize();
    const ViewLayout l = layout();
    const Point max = l.maxScroll();
    ++m_redrawSuspended;
    horizontalScrollBar()->setRange(0, max.x);
    verticalScrollBar()->setRange(0, max.y);
    horizontalScrollBar()->setPageStep(l.client().width);
    verticalScrollBar()->setPageStep(l.client().height);
    horizontalScrollBar()->setSingleStep(std::max(16, zoom()));
    verticalScrollBar()->setSingleStep(std::max(16, zoom()));
    --m_redrawSuspended;
}

void MainView::setScrollPosition(Point scroll) {
    horizontalScrollBar()->setValue(scroll.x);
    verticalScrollBar()->setValue(scroll.y);
}

void MainView::scrollContentsBy(int dx, int dy) {
    if (m_redrawSuspended > 0) return;
    // The picture moves with the image origin; only what comes into view is
    // built again.
    viewport()->scroll(dx, dy);
    layoutChangedUnderPointer();
}

void MainView::resizeEvent(QResizeEvent* event) {
    const QSize old = event->oldSize();
    const bool hadSize = old.width() > 0 && old.height() > 0;
    const ViewLayout before(imageSize(), zoom(), {old.width(), old.height()}, scrollPosition());
    ++m_redrawSuspended;
    updateScrollRanges();
    // The image point at the centre stays there.
    if (hadSize && m_image)
        setScrollPosition(layout().scrollPlacing(before.centreAnchor(), layout().clientCentre()));
    --m_redrawSuspended;
    if (m_fitPending && isVisible()) {
        m_fitPending = false;
        zoomToFit();
    }
    viewport()->update();
}

// --- painting

void MainView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRegion& region = event->region();
    if (region.rectCount() > kMaxPaintRects)
        paintRect(painter, region.boundingRect());
    else
        for (const QRect& rect : region)
            paintRect(painter, rect);
    updateOutlineTimer();
}

void MainView::paintRect(QPainter& painter, const QRect& rect) {
    const QRect r = rect.intersected(viewport()->rect());
    if (r.isEmpty()) return;
    m_scratch.resize(static_cast<std::size_t>(r.width()) * static_cast<std::size_t>(r.height()));
    PixelArray buffer = PixelArray::wrap(r.width(), r.height(), m_scratch.data());
    const Point origin = imageOrigin();
    ViewScene scene;
    scene.image = m_image;
    scene.origin = {origin.x - r.left(), origin.y - r.top()};
    scene.zoom = zoom();
    scene.mode = m_mode;
    scene.colors = m_settings.colors();
    scene.outlinePhase = SelectionOutlinePhase();
    const Rect all = buffer.bounds();
    RenderView(buffer, all, scene);
    if (m_image) {
        OverlayCanvas canvas(buffer, all, scene.origin, scene.zoom);
        m_bridge->paint(canvas);
    }
    // Every pixel is opaque, and drawn unsmoothed: at a device pixel ratio
    // of 2 each view pixel becomes a crisp 2 x 2 block.
    const QImage image(reinterpret_cast<const uchar*>(m_scratch.data()), r.width(), r.height(),
                       r.width() * 4, QImage::Format_RGB32);
    painter.drawImage(r.topLeft(), image);
}

void MainView::updateOutlineTimer() {
    const Selection* selection = m_image ? m_image->selection() : nullptr;
    const bool animate = selection && selection->active();
    if (animate && !m_outline.isActive())
        m_outline.start(m_settings.outlineAnimationInterval());
    else if (!animate && m_outline.isActive())
        m_outline.stop();
}

void MainView::advanceOutline() {
    AdvanceSelectionOutlinePhase();
    const Selection* selection = m_image ? m_image->selection() : nullptr;
    if (!selection || !selection->active()) {
        updateOutlineTimer();
        return;
    }
    // Only the outline moves.
    const Rect pixels = selection->levelZeroBounds();
    if (pixels.isEmpty()) return;
    const Rect units{pixels.left << 8, pixels.top << 8, pixels.right << 8, pixels.bottom << 8};
    const Rect client = UnitsToClient(units, imageOrigin(), zoom());
    viewport()->update(ToQRect(client));
}

void MainView::showFocus(bool focused) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText,
               focused ? p.color(QPalette::Highlight) : p.color(QPalette::Mid));
    setPalette(p);
}

void MainView::focusInEvent(QFocusEvent* event) {
    showFocus(true);
    QAbstractScrollArea::focusInEvent(event);
}

void MainView::focusOutEvent(QFocusEvent* event) {
    showFocus(false);
    QAbstractScrollArea::focusOutEvent(event);
}

} // namespace kv
