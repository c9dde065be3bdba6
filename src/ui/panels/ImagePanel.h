#pragma once
#include "commands/image/LayerCommands.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;
class QListWidget;
class QMenu;
class QToolButton;

namespace kv {

class CommandHost;
class Image;
class LayerBase;
class LayerRow;
class ThumbnailCache;

// The current image's layers, top first, with their thumbnails, names,
// notes and visibility toggles; the layer buttons and menus; the image's
// facts.
class ImagePanel : public QWidget {
    Q_OBJECT
  public:
    ImagePanel(CommandHost& host, ThumbnailCache& thumbnails, QWidget* parent = nullptr);

    void refresh();
    QListWidget* list() const { return m_list; }
    QToolButton* button(const QString& tip) const;
    LayerRow* row(int index) const;
    QMenu* newLayerMenu() const { return m_newMenu; }
    QMenu* contextMenu() const { return m_menu; }
    // The Info section's lines, top to bottom.
    QStringList infoLines() const;

  private:
    void buildButtons(QVBoxLayout* layout);
    void buildMenus();
    void chooseRow(int row);
    // A dragged row (the top layer is row 0): the layer at `from` goes to
    // `to` by the Layer menu's move commands.
    void moveLayer(int from, int to);
    void toggleVisibility(LayerBase* layer);
    void showContextMenu(const QPoint& at);
    void updateButtons();
    LayerBase* layerAtRow(int row) const;

    CommandHost& m_host;
    LayerCommands m_commands;
    ThumbnailCache& m_thumbnails;
    QListWidget* m_list = nullptr;
    QMenu* m_newMenu = nullptr;
    QMenu* m_menu = nullptr;
    QLabel* m_dimensions = nullptr;
    QLabel* m_format = nullptr;
    QLabel* m_layers = nullptr;
    QLabel* m_memory = nullptr;
    bool m_filling = false;
};

} // namespace kv
