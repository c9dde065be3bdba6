#include "ui/panels/Toolbox.h"

#include "settings/ColorSetting.h"
#include "tools/framework/ToolSettings.h"
#include "ui/dialogs/ColorDialog.h"
#include "ui/panels/ColorWell.h"
#include "ui/panels/ToolIcons.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QToolButton>

#include <utility>

namespace kv {
namespace {

QToolButton* SmallButton(const QString& tip, ButtonGlyph glyph, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setIcon(ButtonIcon(glyph));
    button->setIconSize(QSize(12, 12));
    button->setAutoRaise(true);
    return button;
}

} // namespace

Toolbox::Toolbox(ToolSettings& settings, QWidget* parent) : QWidget(parent), m_settings(settings) {
    setObjectName("Toolbox");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    int index = 0;
    for (const ToolDescriptor& tool : ToolboxOrder()) {
        auto* button = new QToolButton(this);
        button->setIcon(ToolIcon(tool.id));
        button->setIconSize(QSize(20, 20));
        button->setToolTip(tool.toolboxName);
        button->setAccessibleName(tool.toolboxName);
        button->setCheckable(true);
        button->setAutoRaise(true);
        m_group->addButton(button, static_cast<int>(tool.id));
        m_buttons[static_cast<std::size_t>(tool.id)] = button;
        grid->addWidget(button, index / 2, index % 2);
        ++index;
    }
    connect(m_group, &QButtonGroup::idClicked, this,
            [this](int id) { emit toolChosen(static_cast<ToolId>(id)); });

    const int row = index / 2;
    m_primary = new ColorWell(this);
    m_secondary = new ColorWell(this);
    m_primary->setAccessibleDescription("Primary color");
    m_secondary->setAccessibleDescription("Secondary color");
    grid->addWidget(m_primary, row, 0);
    grid->addWidget(m_secondary, row, 1);
    connect(m_primary, &ColorWell::clicked, this, [this] { editColor(true); });
    connect(m_secondary, &ColorWell::clicked, this, [this] { editColor(false); });
    m_reset = SmallButton("Reset colors", ButtonGlyph::Reset, this);
    m_swap = SmallButton("Swap colors", ButtonGlyph::Swap, this);
    grid->addWidget(m_reset, row + 1, 0);
    grid->addWidget(m_swap, row + 1, 1);
    connect(m_reset, &QToolButton::clicked, this, &Toolbox::resetColors);
    connect(m_swap, &QToolButton::clicked, this, &Toolbox::swapColors);
    grid->setRowStretch(row + 2, 1);
    refreshColors();
}

void Toolbox::showTool(const ToolId* id) {
    if (!id) {
        m_group->setExclusive(false);
        for (QToolButton* button : m_buttons)
            button->setChecked(false);
        m_group->setExclusive(true);
        return;
    }
    toolButton(*id)->setChecked(true);
}

void Toolbox::refreshColors() {
    m_primary->setColor(m_settings.primaryColor.value());
    m_secondary->setColor(m_settings.secondaryColor.value());
}

void Toolbox::resetColors() {
    m_settings.primaryColor.setValue(m_settings.primaryColor.defaultValue());
    m_settings.secondaryColor.setValue(m_settings.secondaryColor.defaultValue());
    refreshColors();
    emit colorsChanged();
}

void Toolbox::swapColors() {
    const Color32 primary = m_settings.primaryColor.value();
    m_settings.primaryColor.setValue(m_settings.secondaryColor.value());
    m_settings.secondaryColor.setValue(primary);
    refreshColors();
    emit colorsChanged();
}

void Toolbox::editColor(bool primary) {
    ColorSetting& setting = primary ? m_settings.primaryColor : m_settings.secondaryColor;
    const auto chosen = ChooseColor(setting.value(), this);
    if (!chosen) return;
    setting.setValue(*chosen);
    refreshColors();
    emit colorsChanged();
}

} // namespace kv
