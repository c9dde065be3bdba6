#include "ui/panels/WindowPanels.h"

#include "editing/records/Snapshots.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "tools/framework/ToolSet.h"
#include "ui/panels/ColorPanel.h"
#include "ui/panels/ImagePanel.h"
#include "ui/panels/PanelColumn.h"
#include "ui/panels/PreviewPanel.h"
#include "ui/panels/ProjectPanel.h"
#include "ui/panels/StatusBar.h"
#include "ui/panels/ToolPanel.h"
#include "ui/panels/Toolbox.h"
#include "ui/view/MainView.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QToolButton>

namespace kv {
namespace {

constexpr int kThumbnailSize = 24;

QDockWidget* Dock(QMainWindow& window, const QString& title, QWidget* content,
                  Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(title, &window);
    dock->setObjectName(title + "Dock");
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    // The panels carry their own titles.
    dock->setTitleBarWidget(new QWidget(dock));
    dock->setWidget(content);
    window.addDockWidget(area, dock);
    return dock;
}

} // namespace

WindowPanels::WindowPanels(QMainWindow& window, MainView& view, CommandHost& host)
    : QObject(&window), m_view(view), m_thumbnails(kThumbnailSize) {
    if (!HaveSettings()) m_fallbackSettings = std::make_unique<SettingsStore>(std::string());
    SettingsStore& settings = HaveSettings() ? Settings() : *m_fallbackSettings;
    ToolSettings& colors = view.tools().settings();
    m_toolbox = new Toolbox(colors);
    Dock(window, "Toolbox", m_toolbox, Qt::LeftDockWidgetArea);
    m_column = new PanelColumn(host, settings, colors, m_thumbnails);
    Dock(window, "Panels", m_column, Qt::RightDockWidgetArea);
    m_status = new StatusBar(&window);
    window.setStatusBar(m_status);
    view.setStatusSink(m_status);
    m_status->zoomLabelChanged(view.zoomLabel());
    // Tab goes left to right: the toolbox, the view, then the panels.
    QWidget::setTabOrder(m_toolbox->swapButton(), &view);
    connectView();
    showCurrentTool();
    refresh(RefreshScope::Everything);
}

WindowPanels::~WindowPanels() {
    m_view.setStatusSink(nullptr);
}

void WindowPanels::connectView() {
    connect(m_toolbox, &Toolbox::toolChosen, this, [this](ToolId id) { m_view.selectTool(id); });
    connect(m_toolbox, &Toolbox::colorsChanged, this, &WindowPanels::colorsChanged);
    connect(&m_column->colorPanel(), &ColorPanel::colorsChanged, this,
            &WindowPanels::colorsChanged);
    connect(&m_view, &MainView::toolColorsChanged, m_toolbox, &Toolbox::refreshColors);
    connect(&m_view, &MainView::toolOptionsChanged, this, &WindowPanels::showCurrentTool);
    connect(&m_view, &MainView::imageEdited, this, [this](Image* image) {
        if (image) imageChanged(*image);
    });
    connect(&m_column->previewPanel(), &PreviewPanel::placeClicked, this, [this](ImagePoint p) {
        const ViewLayout layout = m_view.layout();
        m_view.setScrollPosition(layout.scrollPlacing(p, layout.clientCentre()));
    });
}

void WindowPanels::showCurrentTool() {
    Tool* tool = m_view.tools().current();
    const ToolId id = tool ? tool->id() : ToolId::Selection;
    m_toolbox->showTool(tool ? &id : nullptr);
    // The panel is built again only when the tool changed.
    if (tool != m_column->toolPanel().tool() || !tool)
        m_column->toolPanel().showTool(tool, m_view.optionsPanel());
}

void WindowPanels::colorsChanged() {
    m_toolbox->refreshColors();
    // The tools read the colours when they paint; the view's cursor and
    // whatever else follows the colours hears it here.
    m_view.colorsChanged();
}

void WindowPanels::refresh(RefreshScope scope) {
    if (scope == RefreshScope::Selection) return;
    m_column->colorPanel().refresh();
    if (scope == RefreshScope::Swatches) return;
    chooseLayerIfNone();
    m_thumbnails.prune(CurrentProject());
    m_column->projectPanel().refresh();
    m_column->imagePanel().refresh();
    const Project* project = CurrentProject();
    m_column->previewPanel().setImage(project ? project->currentImage() : nullptr);
    m_status->showMemory();
}

void WindowPanels::chooseLayerIfNone() {
    const Project* project = CurrentProject();
    Image* image = project ? project->currentImage() : nullptr;
    if (!image || image->currentLayer() || !image->topLayer()) return;
    // A file may mark no current layer: the top one is where painting starts.
    image->setCurrentLayer(image->topLayer());
    CommitSnapshots(*image);
    if (m_view.image() == image) m_view.imageChanged();
}

void WindowPanels::imageChanged(Image& image) {
    m_thumbnails.invalidate(image);
    refresh(RefreshScope::Everything);
}

} // namespace kv
