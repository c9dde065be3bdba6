#pragma once
// Small pieces the panels share: icon buttons named by their tool tip, and
// the memory and format texts of the Info sections.
#include "ui/panels/ToolIcons.h"

#include <QString>

#include <cstdint>

class QToolButton;
class QWidget;

namespace kv {

QToolButton* MakePanelButton(const QString& tip, ButtonGlyph glyph, QWidget* parent);
// "Size in memory: " with the total and " bytes".
QString MemoryText(std::uint64_t bytes);

} // namespace kv
