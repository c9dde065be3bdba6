#include "ui/panels/PanelWidgets.h"

#include "commands/host/DisplayTexts.h"

#include <QToolButton>

namespace kv {

QToolButton* MakePanelButton(const QString& tip, ButtonGlyph glyph, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setIcon(ButtonIcon(glyph));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    return button;
}

QString MemoryText(std::uint64_t bytes) {
    return "Size in memory: " + QString::fromStdString(ByteSizeText(bytes)) + " bytes";
}

} // namespace kv
