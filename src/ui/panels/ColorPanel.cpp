#include "ui/panels/ColorPanel.h"

#include "commands/host/CommandHost.h"
#include "commands/host/CommandSupport.h"
#include "commands/swatches/SwatchSets.h"
#include "editing/actions/ImagePropertiesAction.h"
#include "model/Image.h"
#include "model/Palette.h"
#include "settings/ColorSetting.h"
#include "tools/framework/ToolSettings.h"
#include "ui/dialogs/ColorDialog.h"
#include "ui/panels/ColorWell.h"
#include "ui/panels/PanelWidgets.h"
#include "ui/panels/SwatchGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv {
namespace {
constexpr const char* kSwatchHint =
    "Left/right click to pick, double-click to modify, drag to move or delete color.";
constexpr const char* kPaletteHint = "Left/right click to pick color.";
} // namespace

ColorPanel::ColorPanel(CommandHost& host, ToolSettings& colors, QWidget* parent)
    : QWidget(parent), m_host(host), m_commands(host, SwatchList::instance()), m_colors(colors) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(new QLabel("Swatches", this));
    m_swatches = new SwatchGrid(true, this);
    m_swatches->setAccessibleName("Swatches");
    m_swatches->setAccessibleDescription(kSwatchHint);
    m_swatches->setToolTip(kSwatchHint);
    m_swatchArea = new QScrollArea(this);
    m_swatchArea->setWidget(m_swatches);
    m_swatchArea->setWidgetResizable(true);
    m_swatchArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_swatchArea->setAccessibleName("Swatches");
    layout->addWidget(m_swatchArea);
    connect(m_swatches, &SwatchGrid::picked, this, [this](int i, MouseButton b) {
        pick(m_swatches->colors()[static_cast<std::size_t>(i)], b);
    });
    connect(m_swatches, &SwatchGrid::editRequested, this, &ColorPanel::editSwatch);
    connect(m_swatches, &SwatchGrid::moveRequested, this, &ColorPanel::moveSwatch);
    connect(m_swatches, &SwatchGrid::deleteRequested, this, &ColorPanel::deleteSwatch);
    buildSwatchButtons(layout);

    auto* paletteRow = new QHBoxLayout;
    m_paletteLabel = new QLabel("Palette", this);
    paletteRow->addWidget(m_paletteLabel, 1);
    m_lock = MakePanelButton("Lock Palette", ButtonGlyph::Lock, this);
    m_lock->setCheckable(true);
    m_lock->setText("Lock palette");
    paletteRow->addWidget(m_lock);
    layout->addLayout(paletteRow);
    connect(m_lock, &QToolButton::clicked, this, &ColorPanel::toggleLock);
    m_palette = new SwatchGrid(false, this);
    m_palette->setAccessibleName("Palette");
    m_palette->setAccessibleDescription(kPaletteHint);
    m_palette->setToolTip(kPaletteHint);
    layout->addWidget(m_palette);
    connect(m_palette, &SwatchGrid::picked, this, [this](int i, MouseButton b) {
        pick(m_palette->colors()[static_cast<std::size_t>(i)], b);
    });
    layout->addStretch();
    refresh();
}

void ColorPanel::buildSwatchButtons(QVBoxLayout* layout) {
    AddPanelButtons(*layout,
                    {{"New swatch set...", ButtonGlyph::Plus},
                     {"Load swatches", ButtonGlyph::Open},
                     {"Save swatches", ButtonGlyph::Save},
                     {"Add primary color", ButtonGlyph::Duplicate},
                     {"Add secondary color", ButtonGlyph::Merge}},
                    this);
    m_newMenu = new QMenu(this);
    const std::pair<const char*, SwatchSetKind> sets[] = {{"&Empty", SwatchSetKind::Empty},
                                                          {"&Default", SwatchSetKind::Default},
                                                          {"&Web-Safe", SwatchSetKind::WebSafe}};
    for (const auto& [text, kind] : sets)
        connect(m_newMenu->addAction(text), &QAction::triggered, this,
                [this, kind] { m_commands.newSet(kind); });
    QToolButton* create = button("New swatch set...");
    create->setMenu(m_newMenu);
    create->setPopupMode(QToolButton::InstantPopup);
    connect(button("Load swatches"), &QToolButton::clicked, this, [this] { m_commands.load(); });
    connect(button("Save swatches"), &QToolButton::clicked, this, [this] { m_commands.save(); });
    connect(button("Add primary color"), &QToolButton::clicked, this,
            [this] { m_commands.addPrimaryColor(); });
    connect(button("Add secondary color"), &QToolButton::clicked, this,
            [this] { m_commands.addSecondaryColor(); });
}

QToolButton* ColorPanel::button(const QString& tip) const {
    return FindPanelButton(*this, tip);
}

void ColorPanel::refresh() {
    m_swatches->setColors(SwatchList::instance().colors());
    const Image* image = CurrentImage();
    const bool paletted = image && IsPaletteFormat(image->targetFormat()) && image->palette();
    std::vector<Color32> entries;
    if (paletted)
        for (std::int32_t i = 0; i < image->palette()->count(); ++i)
            entries.push_back(image->palette()->entry(i).color());
    m_palette->setColors(std::move(entries));
    m_palette->setVisible(paletted);
    m_paletteLabel->setVisible(paletted);
    m_lock->setVisible(paletted);
    const bool locked = paletted && image->paletteLocked();
    m_lock->setChecked(locked);
    m_lock->setToolTip(locked ? "Unlock Palette" : "Lock Palette");
    m_lock->setAccessibleName(m_lock->toolTip());
}

void ColorPanel::pick(Color32 color, MouseButton button) {
    m_colors.setColorFor(button, color);
    emit colorsChanged();
}

void ColorPanel::editSwatch(int index) {
    std::vector<Color32> colors = SwatchList::instance().colors();
    const auto chosen = ChooseColor(colors[static_cast<std::size_t>(index)], this);
    if (!chosen) return;
    colors[static_cast<std::size_t>(index)] = *chosen;
    SwatchList::instance().replace(std::move(colors));
    m_host.refresh(RefreshScope::Swatches);
}

void ColorPanel::moveSwatch(int from, int to) {
    std::vector<Color32> colors = SwatchList::instance().colors();
    const Color32 moved = colors[static_cast<std::size_t>(from)];
    colors.erase(colors.begin() + from);
    colors.insert(colors.begin() + to, moved);
    SwatchList::instance().replace(std::move(colors));
    m_host.refresh(RefreshScope::Swatches);
}

void ColorPanel::deleteSwatch(int index) {
    std::vector<Color32> colors = SwatchList::instance().colors();
    colors.erase(colors.begin() + index);
    SwatchList::instance().replace(std::move(colors));
    m_host.refresh(RefreshScope::Swatches);
}

void ColorPanel::toggleLock() {
    Image* image = CurrentImage();
    if (!image) return;
    auto action = std::make_unique<ImagePropertiesAction>(*image);
    action->setPaletteLocked = true;
    action->newValues.paletteLocked = !image->paletteLocked();
    PerformAction(m_host, std::move(action));
    refresh();
}

} // namespace kv
