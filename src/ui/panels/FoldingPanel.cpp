#include "ui/panels/FoldingPanel.h"

#include "settings/SettingsStore.h"
#include "ui/panels/HeightGrip.h"

#include <QHBoxLayout>
#include <QSpacerItem>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kv {
namespace {
constexpr int kMinimumBodyHeight = 24;
constexpr int kMaximumBodyHeight = 2000;
} // namespace

FoldingPanel::FoldingPanel(const QString& name, SettingsStore& settings, QWidget* parent)
    : QWidget(parent), m_name(name), m_settings(settings) {
    setObjectName(name + "Panel");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_title = new QToolButton(this);
    m_title->setText(name);
    m_title->setAccessibleName(name);
    m_title->setCheckable(true);
    m_title->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_title->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_title->setAutoRaise(true);
    outer->addWidget(m_title);
    m_body = new QWidget(this);
    // The row holds the controls and an invisible spacer that keeps the
    // body's least height; the taller of the two wins.
    auto* row = new QHBoxLayout(m_body);
    row->setContentsMargins(3, 2, 3, 2);
    row->setSpacing(0);
    m_bodyLayout = new QVBoxLayout;
    m_bodyLayout->setSpacing(3);
    row->addLayout(m_bodyLayout, 1);
    m_leastHeight = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    row->addItem(m_leastHeight);
    outer->addWidget(m_body);
    auto* grip = new HeightGrip(this);
    connect(grip, &HeightGrip::dragged, this, [this](int dy) { setBodyHeight(bodyHeight() + dy); });
    outer->addWidget(grip);
    connect(m_title, &QToolButton::toggled, this, [this, grip](bool checked) {
        m_body->setVisible(!checked);
        grip->setVisible(!checked);
        m_title->setArrowType(checked ? Qt::RightArrow : Qt::DownArrow);
        m_settings.boolSetting(settingName("Folded")).setValue(checked);
    });
    const bool fold = folded();
    m_title->setChecked(fold);
    m_body->setVisible(!fold);
    grip->setVisible(!fold);
    m_title->setArrowType(fold ? Qt::RightArrow : Qt::DownArrow);
}

std::string FoldingPanel::settingName(const char* leaf) const {
    return "Panels." + m_name.toStdString() + ".Body." + leaf;
}

void FoldingPanel::setResizablePart(QWidget* part) {
    m_resizable = part;
    m_growing = false;
    applyHeight();
}

void FoldingPanel::setGrowingPart(QWidget* part) {
    m_resizable = part;
    m_growing = true;
    applyHeight();
}

bool FoldingPanel::folded() const {
    return m_settings.boolValue(settingName("Folded"));
}

void FoldingPanel::setFolded(bool folded) {
    m_title->setChecked(folded);
}

int FoldingPanel::bodyHeight() const {
    return m_settings.signedValue(settingName("ClientHeight"));
}

void FoldingPanel::setBodyHeight(int height) {
    height = std::clamp(height, kMinimumBodyHeight, kMaximumBodyHeight);
    m_settings.signedSetting(settingName("ClientHeight")).setValue(height);
    applyHeight();
}

void FoldingPanel::applyHeight() {
    if (!m_resizable) return;
    const int height = std::clamp(bodyHeight(), kMinimumBodyHeight, kMaximumBodyHeight);
    if (m_growing) {
        m_leastHeight->changeSize(0, height, QSizePolicy::Fixed, QSizePolicy::Fixed);
        m_body->layout()->invalidate();
    } else {
        m_resizable->setFixedHeight(height);
    }
}

} // namespace kv
