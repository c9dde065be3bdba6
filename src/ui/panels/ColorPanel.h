#pragma once
#include "commands/swatches/SwatchCommands.h"
#include "tools/framework/ToolTypes.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;
class QMenu;
class QScrollArea;
class QToolButton;

namespace kv {

class CommandHost;
class SwatchGrid;
class ToolSettings;

// The swatches with their set commands, and the palette of an image with a
// palette target format with its lock.
class ColorPanel : public QWidget {
    Q_OBJECT
  public:
    ColorPanel(CommandHost& host, ToolSettings& colors, QWidget* parent = nullptr);

    // The swatches and the current image's palette, as they are now.
    void refresh();
    SwatchGrid* swatches() const { return m_swatches; }
    QScrollArea* swatchArea() const { return m_swatchArea; }
    SwatchGrid* palette() const { return m_palette; }
    QToolButton* lockToggle() const { return m_lock; }
    QToolButton* button(const QString& tip) const;
    QMenu* newSetMenu() const { return m_newMenu; }

  signals:
    // The primary or secondary colour was picked here.
    void colorsChanged();

  private:
    void buildSwatchButtons(QVBoxLayout* layout);
    void pick(Color32 color, MouseButton button);
    void editSwatch(int index);
    void moveSwatch(int from, int to);
    void deleteSwatch(int index);
    void toggleLock();

    CommandHost& m_host;
    SwatchCommands m_commands;
    ToolSettings& m_colors;
    SwatchGrid* m_swatches = nullptr;
    SwatchGrid* m_palette = nullptr;
    QScrollArea* m_swatchArea = nullptr;
    QLabel* m_paletteLabel = nullptr;
    QToolButton* m_lock = nullptr;
    QMenu* m_newMenu = nullptr;
};

} // namespace kv
