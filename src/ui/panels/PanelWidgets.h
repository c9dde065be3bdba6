#pragma once
// Small pieces the panels share: icon buttons named by their tool tip, and
// the Info sections with their memory text.
#include "ui/panels/ToolIcons.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <utility>

class QBoxLayout;
class QLabel;
class QToolButton;
class QWidget;

namespace kv {

QToolButton* MakePanelButton(const QString& tip, ButtonGlyph glyph, QWidget* parent);
// A left-aligned row of the panel's buttons, by tool tip and picture.
void AddPanelButtons(QBoxLayout& layout,
                     std::initializer_list<std::pair<const char*, ButtonGlyph>> buttons,
                     QWidget* panel);
// The panel's own button with this tool tip, or null. Buttons inside its
// list rows are not the panel's.
QToolButton* FindPanelButton(const QWidget& panel, const QString& tip);
// The bold "Info" heading with an empty label under it for each line.
void AddInfoSection(QBoxLayout& layout, std::initializer_list<QLabel**> lines, QWidget* panel);
// "Size in memory: " with the total and " bytes".
QString MemoryText(std::uint64_t bytes);

} // namespace kv
