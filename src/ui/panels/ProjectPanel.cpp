#include "ui/panels/ProjectPanel.h"

#include "commands/host/CommandHost.h"
#include "commands/host/DisplayTexts.h"
#include "editing/records/Snapshots.h"
#include "model/Project.h"
#include "ui/panels/ListReorderDrag.h"
#include "ui/panels/PanelWidgets.h"
#include "ui/panels/ThumbnailCache.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv {

ProjectPanel::ProjectPanel(CommandHost& host, ThumbnailCache& thumbnails, QWidget* parent)
    : QWidget(parent), m_host(host), m_commands(host), m_thumbnails(thumbnails) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_list = new QListWidget(this);
    m_list->setAccessibleName("Images");
    m_list->setIconSize(QSize(thumbnails.size(), thumbnails.size()));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::currentRowChanged, this, &ProjectPanel::chooseRow);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { m_commands.properties(); });
    connect(m_list, &QListWidget::customContextMenuRequested, this, &ProjectPanel::showContextMenu);
    new ListReorderDrag(*m_list, [this](int from, int to) { moveImage(from, to); });

    AddPanelButtons(*layout,
                    {{"New image", ButtonGlyph::Plus},
                     {"Delete image", ButtonGlyph::Minus},
                     {"Image properties", ButtonGlyph::Properties},
                     {"Move image up", ButtonGlyph::Up},
                     {"Move image down", ButtonGlyph::Down}},
                    this);
    connect(button("New image"), &QToolButton::clicked, this, [this] { m_commands.newImage(); });
    connect(button("Delete image"), &QToolButton::clicked, this,
            [this] { m_commands.deleteImage(); });
    connect(button("Image properties"), &QToolButton::clicked, this,
            [this] { m_commands.properties(); });
    connect(button("Move image up"), &QToolButton::clicked, this, [this] { m_commands.moveUp(); });
    connect(button("Move image down"), &QToolButton::clicked, this,
            [this] { m_commands.moveDown(); });

    AddInfoSection(*layout, {&m_count, &m_memory}, this);
    m_menu = new QMenu(this);
    connect(m_menu->addAction("Dele&te"), &QAction::triggered, this,
            [this] { m_commands.deleteImage(); });
    connect(m_menu->addAction("&Properties..."), &QAction::triggered, this,
            [this] { m_commands.properties(); });
    refresh();
}

QToolButton* ProjectPanel::button(const QString& tip) const {
    return FindPanelButton(*this, tip);
}

QString ProjectPanel::ItemText(const Image& image) {
    QString text = QString("%1x%2 ").arg(image.width()).arg(image.height());
    text += QString(" (%1)").arg(
        TargetFormatShortName(static_cast<std::uint32_t>(image.targetFormat())));
    if (!image.forExport()) text += "  NFE";
    return text;
}

void ProjectPanel::refresh() {
    const Project* project = CurrentProject();
    m_filling = true;
    const int count = project ? project->imageCount() : 0;
    while (m_list->count() > count)
        delete m_list->takeItem(m_list->count() - 1);
    while (m_list->count() < count)
        m_list->addItem(new QListWidgetItem);
    int current = -1;
    for (int i = 0; i < count; ++i) {
        const Image& image = *project->imageAt(static_cast<std::uint32_t>(i + 1));
        QListWidgetItem* item = m_list->item(i);
        const QString text = ItemText(image);
        if (item->text() != text) item->setText(text);
        item->setIcon(m_thumbnails.imageThumbnail(image));
        if (&image == project->currentImage()) current = i;
    }
    m_list->setCurrentRow(current);
    m_filling = false;
    m_count->setText(QString("Number of images: %1").arg(count));
    m_memory->setText(MemoryText(project ? project->memorySize() : 0));
    updateButtons();
}

void ProjectPanel::updateButtons() {
    button("New image")->setEnabled(m_commands.canNewImage());
    button("Delete image")->setEnabled(m_commands.hasImage());
    button("Image properties")->setEnabled(m_commands.hasImage());
    button("Move image up")->setEnabled(m_commands.canMoveUp());
    button("Move image down")->setEnabled(m_commands.canMoveDown());
}

void ProjectPanel::chooseRow(int row) {
    Project* project = CurrentProject();
    if (m_filling || !project || row < 0) return;
    Image* image = project->imageAt(static_cast<std::uint32_t>(row + 1));
    if (!image || image == project->currentImage()) return;
    project->setCurrentImage(image);
    // The next stroke compares against this image's layer, not the last one's.
    CommitSnapshots(*image);
    m_host.refresh(RefreshScope::Everything);
}

void ProjectPanel::moveImage(int from, int to) {
    chooseRow(from);
    // One step at a time, as the move buttons go.
    for (int row = from; row > to; --row)
        if (!m_commands.moveUp()) return;
    for (int row = from; row < to; ++row)
        if (!m_commands.moveDown()) return;
}

void ProjectPanel::showContextMenu(const QPoint& at) {
    QListWidgetItem* item = m_list->itemAt(at);
    if (!item) return;
    chooseRow(m_list->row(item));
    for (QAction* action : m_menu->actions())
        action->setEnabled(m_commands.hasImage());
    m_menu->popup(m_list->viewport()->mapToGlobal(at));
}

} // namespace kv
