#include "ui/panels/PanelColumn.h"

#include "ui/panels/ColorPanel.h"
#include "ui/panels/FoldingPanel.h"
#include "ui/panels/ImagePanel.h"
#include "ui/panels/PreviewCanvas.h"
#include "ui/panels/PreviewPanel.h"
#include "ui/panels/ProjectPanel.h"
#include "ui/panels/SwatchGrid.h"
#include "ui/panels/ToolPanel.h"

#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kv {

PanelColumn::PanelColumn(CommandHost& host, SettingsStore& settings, ToolSettings& colors,
                         ThumbnailCache& thumbnails, QWidget* parent)
    : QScrollArea(parent), m_settings(settings) {
    setObjectName("PanelColumn");
    setAccessibleName("Panels");
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    auto* inner = new QWidget;
    m_layout = new QVBoxLayout(inner);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_project = new ProjectPanel(host, thumbnails);
    addPanel("Project", m_project, m_project->list());
    m_image = new ImagePanel(host, thumbnails);
    addPanel("Image", m_image, m_image->list());
    m_tool = new ToolPanel(settings);
    addPanel("Tool", m_tool, nullptr)->setGrowingPart(m_tool);
    m_color = new ColorPanel(host, colors);
    addPanel("Color", m_color, m_color->swatchArea());
    m_preview = new PreviewPanel(settings);
    addPanel("Preview", m_preview, m_preview->canvas());
    m_layout->addStretch();
    setWidget(inner);
    setFixedWidth(kWidth + verticalScrollBar()->sizeHint().width());
    inner->setFixedWidth(kWidth);
}

FoldingPanel* PanelColumn::addPanel(const QString& name, QWidget* content, QWidget* resizable) {
    auto* panel = new FoldingPanel(name, m_settings);
    panel->bodyLayout()->addWidget(content);
    panel->setResizablePart(resizable);
    m_layout->addWidget(panel);
    return panel;
}

FoldingPanel* PanelColumn::fold(const QString& name) const {
    return widget()->findChild<FoldingPanel*>(name + "Panel");
}

} // namespace kv
