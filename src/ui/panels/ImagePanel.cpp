#include "ui/panels/ImagePanel.h"

#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "commands/host/DisplayTexts.h"
#include "editing/actions/LayerPropertiesAction.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/LayerBase.h"
#include "ui/panels/LayerRow.h"
#include "ui/panels/ListReorderDrag.h"
#include "ui/panels/PanelWidgets.h"
#include "ui/panels/ThumbnailCache.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv {

ImagePanel::ImagePanel(CommandHost& host, ThumbnailCache& thumbnails, QWidget* parent)
    : QWidget(parent), m_host(host), m_commands(host), m_thumbnails(thumbnails) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_list = new QListWidget(this);
    m_list->setAccessibleName("Layers");
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::currentRowChanged, this, &ImagePanel::chooseRow);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { m_commands.properties(); });
    connect(m_list, &QListWidget::customContextMenuRequested, this, &ImagePanel::showContextMenu);
    new ListReorderDrag(*m_list, [this](int from, int to) { moveLayer(from, to); });
    buildMenus();
    buildButtons(layout);
    AddInfoSection(*layout, {&m_dimensions, &m_format, &m_layers, &m_memory}, this);
    refresh();
}

void ImagePanel::buildButtons(QVBoxLayout* layout) {
    AddPanelButtons(*layout,
                    {{"New layer...", ButtonGlyph::Plus},
                     {"Duplicate layer", ButtonGlyph::Duplicate},
                     {"Merge layer down", ButtonGlyph::Merge},
                     {"Delete layer", ButtonGlyph::Minus},
                     {"Layer properties", ButtonGlyph::Properties},
                     {"Move layer forward", ButtonGlyph::Up},
                     {"Move layer backward", ButtonGlyph::Down}},
                    this);
    QToolButton* add = button("New layer...");
    add->setMenu(m_newMenu);
    add->setPopupMode(QToolButton::InstantPopup);
    connect(button("Duplicate layer"), &QToolButton::clicked, this,
            [this] { m_commands.duplicate(); });
    connect(button("Merge layer down"), &QToolButton::clicked, this,
            [this] { m_commands.mergeDown(); });
    connect(button("Delete layer"), &QToolButton::clicked, this,
            [this] { m_commands.deleteLayer(); });
    connect(button("Layer properties"), &QToolButton::clicked, this,
            [this] { m_commands.properties(); });
    connect(button("Move layer forward"), &QToolButton::clicked, this,
            [this] { m_commands.moveForward(); });
    connect(button("Move layer backward"), &QToolButton::clicked, this,
            [this] { m_commands.moveBackward(); });
}

void ImagePanel::buildMenus() {
    m_newMenu = new QMenu(this);
    connect(m_newMenu->addAction("&Normal"), &QAction::triggered, this,
            [this] { m_commands.newLayer(); });
    connect(m_newMenu->addAction("&Supersampled"), &QAction::triggered, this,
            [this] { m_commands.newSupersampledLayer(); });
    m_menu = new QMenu(this);
    connect(m_menu->addAction("&Duplicate"), &QAction::triggered, this,
            [this] { m_commands.duplicate(); });
    connect(m_menu->addAction("&Merge down"), &QAction::triggered, this,
            [this] { m_commands.mergeDown(); });
    connect(m_menu->addAction("Dele&te"), &QAction::triggered, this,
            [this] { m_commands.deleteLayer(); });
    connect(m_menu->addAction("&Properties..."), &QAction::triggered, this,
            [this] { m_commands.properties(); });
}

QToolButton* ImagePanel::button(const QString& tip) const {
    return FindPanelButton(*this, tip);
}

LayerRow* ImagePanel::row(int index) const {
    QListWidgetItem* item = m_list->item(index);
    return item ? static_cast<LayerRow*>(m_list->itemWidget(item)) : nullptr;
}

LayerBase* ImagePanel::layerAtRow(int row) const {
    const Image* image = CurrentImage();
    if (!image || row < 0 || row >= image->layerCount()) return nullptr;
    // The top layer is the first row.
    return image->layerAt(static_cast<std::uint32_t>(image->layerCount() - row));
}

QStringList ImagePanel::infoLines() const {
    return {m_dimensions->text(), m_format->text(), m_layers->text(), m_memory->text()};
}

void ImagePanel::refresh() {
    const Image* image = CurrentImage();
    m_filling = true;
    m_list->clear();
    const int count = image ? image->layerCount() : 0;
    int current = -1;
    for (int row = 0; row < count; ++row) {
        LayerBase* layer = layerAtRow(row);
        auto* item = new QListWidgetItem(m_list);
        auto* widget = new LayerRow(*layer, m_thumbnails.layerThumbnail(*image, *layer));
        item->setSizeHint(widget->sizeHint());
        item->setData(Qt::AccessibleTextRole, QString::fromStdString(layer->displayName()));
        m_list->setItemWidget(item, widget);
        // Queued: the refresh that follows replaces the row that signalled.
        connect(
            widget, &LayerRow::visibilityToggled, this, [this, layer] { toggleVisibility(layer); },
            Qt::QueuedConnection);
        if (layer == image->currentLayer()) current = row;
    }
    m_list->setCurrentRow(current);
    m_filling = false;
    m_dimensions->setText(
        image ? QString("Dimensions: %1x%2 pixels").arg(image->width()).arg(image->height())
              : QString());
    m_format->setText(
        image ? QString("Target format: %1")
                    .arg(TargetFormatShortName(static_cast<std::uint32_t>(image->targetFormat())))
              : QString());
    m_layers->setText(QString("Number of layers: %1").arg(count));
    m_memory->setText(image ? MemoryText(image->memorySize()) : QString());
    updateButtons();
}

void ImagePanel::updateButtons() {
    button("New layer...")->setEnabled(m_commands.hasImage());
    m_newMenu->actions().at(1)->setEnabled(m_commands.canNewSupersampledLayer());
    const bool layer = m_commands.hasCurrentLayer();
    button("Duplicate layer")->setEnabled(layer);
    button("Merge layer down")->setEnabled(m_commands.canMergeDown());
    button("Delete layer")->setEnabled(layer && m_commands.hasImage());
    button("Layer properties")->setEnabled(m_commands.canProperties());
    button("Move layer forward")->setEnabled(m_commands.canMoveForward());
    button("Move layer backward")->setEnabled(m_commands.canMoveBackward());
    const QList<QAction*> items = m_menu->actions();
    items[0]->setEnabled(layer);
    items[1]->setEnabled(m_commands.canMergeDown());
    items[2]->setEnabled(layer);
    items[3]->setEnabled(m_commands.canProperties());
}

void ImagePanel::chooseRow(int row) {
    Image* image = CurrentImage();
    LayerBase* layer = layerAtRow(row);
    if (m_filling || !image || !layer || layer == image->currentLayer()) return;
    image->setCurrentLayer(layer);
    // The next stroke compares against the layer just chosen.
    CommitSnapshots(*image);
    m_host.refresh(RefreshScope::Everything);
}

void ImagePanel::moveLayer(int from, int to) {
    chooseRow(from);
    // The ends take one command; a place between them one step per row,
    // each undone on its own like the buttons' steps.
    if (to == 0 && from > 0) {
        m_commands.bringToFront();
        return;
    }
    if (to == m_list->count() - 1 && from < to) {
        m_commands.sendToBack();
        return;
    }
    for (int row = from; row > to; --row)
        if (!m_commands.moveForward()) return;
    for (int row = from; row < to; ++row)
        if (!m_commands.moveBackward()) return;
}

void ImagePanel::toggleVisibility(LayerBase* layer) {
    Image* image = CurrentImage();
    if (!image) return;
    // The properties change works on the current layer.
    if (layer != image->currentLayer()) {
        image->setCurrentLayer(layer);
        CommitSnapshots(*image);
    }
    auto action = std::make_unique<LayerPropertiesAction>(*image);
    action->newValues.visible = !layer->visible();
    PerformAction(m_host, std::move(action));
    m_host.refresh(RefreshScope::Everything);
}

void ImagePanel::showContextMenu(const QPoint& at) {
    QListWidgetItem* item = m_list->itemAt(at);
    if (!item) return;
    m_list->setCurrentItem(item);
    m_menu->popup(m_list->viewport()->mapToGlobal(at));
}

} // namespace kv
