#include "ui/panels/PanelWidgets.h"

#include "commands/host/DisplayTexts.h"

#include <QHBoxLayout>
#include <QLabel>
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

void AddPanelButtons(QBoxLayout& layout,
                     std::initializer_list<std::pair<const char*, ButtonGlyph>> buttons,
                     QWidget* panel) {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    for (const auto& [tip, glyph] : buttons)
        row->addWidget(MakePanelButton(tip, glyph, panel));
    row->addStretch();
    layout.addLayout(row);
}

QToolButton* FindPanelButton(const QWidget& panel, const QString& tip) {
    for (QToolButton* b : panel.findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        if (b->toolTip() == tip) return b;
    return nullptr;
}

void AddInfoSection(QBoxLayout& layout, std::initializer_list<QLabel**> lines, QWidget* panel) {
    auto* heading = new QLabel("Info", panel);
    heading->setStyleSheet("font-weight: bold");
    layout.addWidget(heading);
    for (QLabel** line : lines) {
        *line = new QLabel(panel);
        layout.addWidget(*line);
    }
}

QString MemoryText(std::uint64_t bytes) {
    return "Size in memory: " + QString::fromStdString(ByteSizeText(bytes)) + " bytes";
}

} // namespace kv
