#pragma once
#include "tools/framework/ToolCatalog.h"
#include "tools/framework/ToolHost.h"
#include "ui/view/ViewCursors.h"
#include "ui/view/ViewLayout.h"
#include "ui/view/ViewSettings.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kv {

class SettingsStore;
class ToolSet;
class ViewStatusSink;
class ViewToolBridge;

// The scrollable canvas in the middle of the main window: the current image
// at an integer zoom over a chequer board, with grids and the selection's
// outline, in one of the three channel modes. It keeps no image data of its
// own; every repaint is built from the image model. Pointer and keys go to
// the current tool through the view-to-tool bridge, and the view is the
// tools' host.
class MainView : public QAbstractScrollArea, public ToolHost {
    Q_OBJECT
  public:
    // The settings store must outlive the view.
    explicit MainView(SettingsStore& settings, QWidget* parent = nullptr);
    ~MainView() override;

    // --- the image shown
    // The outgoing image keeps the view's zoom, mode and centre; the incoming
    // one gets back what it kept, or is zoomed to fit the first time.
    void setImage(Image* image);
    // Drops the image without touching it (its project is going away).
    void releaseImage();
    // The model changed: everything is drawn again, and a new image size or
    // a selection that came or went is followed.
    void imageChanged();

    // --- zoom: levels 0 to 8 of the factors 1 to 64
    int zoomLevel() const { return m_level; }
    std::string zoomLabel() const;
    // Keeps the image point under the client centre, or brings the centre of
    // the anchor rectangle (image units) there.
    void setZoomLevel(int level);
    void setZoomLevel(int level, const Rect& anchorUnits);
    void zoomIn() { setZoomLevel(m_level + 1); }
    void zoomOut() { setZoomLevel(m_level - 1); }
    // Keeps the image point under a client pixel where it is.
    void setZoomLevelAt(int level, Point client);
    void zoomToFit();

    void setChannelMode(ChannelMode mode);

    // --- coordinates
    ViewLayout layout() const;
    Point imageOrigin() const { return layout().origin(); }
    ImagePoint pointerToImage(Point client) const { return layout().toImage(client); }
    // The colour the user sees at a point, without chequer or grid.
    Color32 pickVisibleColor(ImagePoint p) const;
    // Where the scroll bars stand; setting clamps to their ranges.
    Point scrollPosition() const;
    void setScrollPosition(Point scroll);

    // --- tools and the status bar
    ToolSet& tools() { return *m_tools; }
    ViewToolBridge& bridge() { return *m_bridge; }
    // Makes a tool current (until the toolbox exists, the window offers a
    // temporary choice through this).
    bool selectTool(ToolId id);
    void setStatusSink(ViewStatusSink* sink) { m_statusSink = sink; }
    std::string statusText(StatusField field) const;
    const OptionsPanel& optionsPanel() const { return m_optionsPanel; }
    ViewInteraction interaction() const;

    // --- ToolHost
    Image* image() override { return m_image; }
    int zoom() const override;
    ChannelMode channelMode() const override { return m_mode; }
    ModifierKeys modifierKeys() const override;
    void invalidate(const Rect& units) override;
    void repaintView() override;
    void refreshCursor() override;
    void setStatusText(StatusField field, const std::string& text) override;
    PointerSample samplePointer(MouseButton button) override;
    void beep() override;
    void colorsChanged() override;
    void refreshAfterEdit(Image& image) override;
    void showOptionsPanel(const OptionsPanel& panel) override;
    void setMouseCapture(bool captured) override;
    void setAutoScrollTimer(bool running) override;

  signals:
    void zoomLevelChanged(int level);
    void channelModeChanged(ChannelMode mode);
    // The primary or secondary colour was picked.
    void toolColorsChanged();
    // A tool finished an edit of the image.
    void imageEdited(Image* image);
    // The current tool's options changed (see optionsPanel()).
    void toolOptionsChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // --- MainView.cpp: image, zoom, scrolling, painting
    ViewSize imageSize() const;
    void saveViewState();
    void restoreViewState();
    // Sets the level even when it is the current one and scrolls the image
    // point to the client pixel, redrawing once.
    void applyZoom(int level, ImagePoint anchor, Point client);
    void updateScrollRanges();
    void paintRect(class QPainter& painter, const QRect& rect);
    void updateOutlineTimer();
    void advanceOutline();
    void showFocus(bool focused);

    // --- MainViewInput.cpp: pointer, keys, timers
    void notePointer(const QMouseEvent* event);
    void setCursorStep();
    void toolMove(ImagePoint p);
    void layoutChangedUnderPointer();
    void autoScrollTick();
    void pan(Point to);
    void endLostCapture(Qt::MouseButtons held);
    bool pointerOverView() const;

    ViewSettings m_settings;
    std::unique_ptr<ToolSet> m_tools;
    std::unique_ptr<ViewToolBridge> m_bridge;
    ViewCursors m_cursors;
    ViewStatusSink* m_statusSink = nullptr;

    Image* m_image = nullptr;
    int m_level = 0;
    // The image size the scroll ranges were made for.
    ViewSize m_shownSize;
    ChannelMode m_mode = ChannelMode::Normal;
    // Nested suspensions of redrawing while the layout is being changed.
    int m_redrawSuspended = 0;
    // Zoom to fit waits for the view's real size.
    bool m_fitPending = false;
    int m_wheelRemainder = 0;

    Point m_pointer;
    // The last point handed to the tool as a move.
    ImagePoint m_movedTo{INT32_MIN, INT32_MIN};
    bool m_pointerInside = false;
    Point m_panFrom;
    Qt::MouseButtons m_held;
    // The buttons whose press started the tool drag.
    Qt::MouseButtons m_dragButtons;
    bool m_captured = false;

    QTimer m_autoScroll;
    QTimer m_outline;
    std::map<StatusField, std::string> m_status;
    OptionsPanel m_optionsPanel;
    std::vector<Color32> m_scratch;
};

} // namespace kv
