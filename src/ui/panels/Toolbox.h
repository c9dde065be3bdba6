#pragma once
#include "model/Color32.h"
#include "tools/framework/ToolCatalog.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QToolButton;

namespace kv {

class ColorWell;
class ToolSettings;

// The tool buttons in toolbox order, the primary and secondary colour wells
// and the two small colour buttons.
class Toolbox : public QWidget {
    Q_OBJECT
  public:
    explicit Toolbox(ToolSettings& settings, QWidget* parent = nullptr);

    QToolButton* toolButton(ToolId id) const { return m_buttons[static_cast<std::size_t>(id)]; }
    ColorWell* primaryWell() const { return m_primary; }
    ColorWell* secondaryWell() const { return m_secondary; }
    QToolButton* resetButton() const { return m_reset; }
    QToolButton* swapButton() const { return m_swap; }

    // Marks the current tool's button (nothing marked for none).
    void showTool(const ToolId* id);
    // The wells follow the colour settings.
    void refreshColors();
    void resetColors();
    void swapColors();

  signals:
    void toolChosen(ToolId id);
    // The user changed the colours here.
    void colorsChanged();

  private:
    void editColor(bool primary);

    ToolSettings& m_settings;
    std::array<QToolButton*, kToolCount> m_buttons{};
    QButtonGroup* m_group = nullptr;
    ColorWell* m_primary = nullptr;
    ColorWell* m_secondary = nullptr;
    QToolButton* m_reset = nullptr;
    QToolButton* m_swap = nullptr;
};

} // namespace kv
