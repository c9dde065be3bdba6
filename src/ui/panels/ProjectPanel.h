#pragma once
#include "commands/image/ImageCommands.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QMenu;
class QToolButton;

namespace kv {

class CommandHost;
class Image;
class ThumbnailCache;

// The project's images in project order with their thumbnails, the image
// list's buttons and context menu, and the project's totals.
class ProjectPanel : public QWidget {
    Q_OBJECT
  public:
    ProjectPanel(CommandHost& host, ThumbnailCache& thumbnails, QWidget* parent = nullptr);

    // Rebuilds the list and the texts from the open project.
    void refresh();
    QListWidget* list() const { return m_list; }
    QToolButton* button(const QString& tip) const;
    QMenu* contextMenu() const { return m_menu; }

    // "%dx%d " and " (%s)" with the format name, then the not-for-export note.
    static QString ItemText(const Image& image);

  private:
    void chooseRow(int row);
    // A dragged row: the image at `from` goes to `to` by the move commands.
    void moveImage(int from, int to);
    void showContextMenu(const QPoint& at);
    void updateButtons();

    CommandHost& m_host;
    ImageCommands m_commands;
    ThumbnailCache& m_thumbnails;
    QListWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_memory = nullptr;
    QMenu* m_menu = nullptr;
    bool m_filling = false;
};

} // namespace kv
