#include "ui/panels/ToolPanel.h"

#include "settings/SettingsStore.h"
#include "tools/framework/Tool.h"
#include "tools/text/TextTool.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace kv {

ToolPanel::ToolPanel(SettingsStore& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
}

void ToolPanel::showTool(Tool* tool, const OptionsPanel& panel) {
    m_tool = tool;
    delete m_controls;
    m_preview = nullptr;
    m_hint = nullptr;
    m_controls = new QWidget(this);
    auto* row = new QHBoxLayout(m_controls);
    row->setContentsMargins(0, 0, 0, 0);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    row->addLayout(column, 1);
    // Never a blank panel: say where the controls come from, or that there
    // are none.
    if (!tool || panel.options.empty()) {
        m_hint = new QLabel(tool ? kNoOptionsHint : kNoToolHint, m_controls);
        m_hint->setWordWrap(true);
        m_hint->setAccessibleName(m_hint->text());
        m_hint->setForegroundRole(QPalette::PlaceholderText);
        column->addWidget(m_hint);
    }
    if (tool) {
        for (const ToolOption& option : panel.options) {
            if (option.label) {
                auto* label = new QLabel(option.label, m_controls);
                column->addWidget(label);
            }
            QWidget* control = buildControl(option);
            if (option.label) control->setAccessibleName(QString(option.label).remove(':'));
            column->addWidget(control);
        }
    }
    column->addStretch();
    if (tool && panel.preview == OptionsPreview::Tip) {
        m_preview = new QLabel(m_controls);
        m_preview->setFixedSize(kPreviewBox + 2, kPreviewBox + 2);
        m_preview->setAccessibleName("Tip preview");
        row->addWidget(m_preview, 0, Qt::AlignTop);
        updatePreview();
    }
    m_layout->addWidget(m_controls);
}

QWidget* ToolPanel::buildControl(const ToolOption& option) {
    switch (option.kind) {
    case OptionKind::Slider:
        return buildSlider(option);
    case OptionKind::PictureButtons:
        return buildPictureButtons(option);
    case OptionKind::DropDown:
        return buildDropDown(option);
    case OptionKind::Number:
        return buildNumber(option);
    case OptionKind::FontName:
        return buildFontName(option);
    case OptionKind::TextField:
        return buildTextField();
    }
    return new QWidget(m_controls);
}

std::int32_t ToolPanel::valueOf(const ToolOption& option) const {
    const auto v = static_cast<std::int32_t>(m_settings.unsignedValue(option.setting));
    return std::clamp(v, option.minimum, option.maximum);
}

void ToolPanel::setValue(const ToolOption& option, std::int32_t value) {
    m_settings.unsignedSetting(option.setting).setValue(static_cast<std::uint32_t>(value));
    optionChanged();
}

void ToolPanel::optionChanged() {
    if (m_tool) m_tool->optionChanged();
    updatePreview();
}

QWidget* ToolPanel::buildSlider(const ToolOption& option) {
    auto* box = new QWidget(m_controls);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* slider = new QSlider(Qt::Horizontal, box);
    slider->setRange(option.minimum, option.maximum);
    slider->setValue(valueOf(option));
    if (option.label) slider->setAccessibleName(QString(option.label).remove(':'));
    auto* number = new QLabel(QString::number(slider->value()), box);
    number->setMinimumWidth(24);
    row->addWidget(slider, 1);
    row->addWidget(number);
    connect(slider, &QSlider::valueChanged, this, [this, option, number](int v) {
        number->setText(QString::number(v));
        setValue(option, v);
    });
    return box;
}

QWidget* ToolPanel::buildPictureButtons(const ToolOption& option) {
    auto* box = new QWidget(m_controls);
    // Two to a row: three or four labels side by side do not fit the panel
    // column on a small screen.
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    auto* group = new QButtonGroup(box);
    const std::int32_t current = valueOf(option) - option.minimum;
    for (std::size_t i = 0; i < option.choices.size(); ++i) {
        auto* button = new QPushButton(option.choices[i], box);
        button->setCheckable(true);
        button->setToolTip(option.choices[i]);
        button->setAccessibleName(option.choices[i]);
        button->setChecked(static_cast<std::int32_t>(i) == current);
        group->addButton(button, static_cast<int>(i));
        grid->addWidget(button, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    connect(group, &QButtonGroup::idClicked, this,
            [this, option](int i) { setValue(option, option.minimum + i); });
    return box;
}

QWidget* ToolPanel::buildDropDown(const ToolOption& option) {
    auto* combo = new QComboBox(m_controls);
    for (const char* choice : option.choices)
        combo->addItem(choice);
    combo->setCurrentIndex(valueOf(option) - option.minimum);
    if (!option.label) combo->setAccessibleName("Style");
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, option](int i) { setValue(option, option.minimum + i); });
    return combo;
}

QWidget* ToolPanel::buildNumber(const ToolOption& option) {
    auto* spin = new QSpinBox(m_controls);
    spin->setRange(option.minimum, option.maximum);
    spin->setValue(valueOf(option));
    if (!option.label) spin->setAccessibleName("Size");
    connect(spin, &QSpinBox::valueChanged, this, [this, option](int v) { setValue(option, v); });
    return spin;
}

QWidget* ToolPanel::buildFontName(const ToolOption& option) {
    auto* fonts = new QFontComboBox(m_controls);
    fonts->setCurrentFont(QFont(QString::fromStdString(m_settings.textValue(option.setting))));
    connect(fonts, &QFontComboBox::currentFontChanged, this, [this, option](const QFont& font) {
        m_settings.textSetting(option.setting).setValue(font.family().toStdString());
        optionChanged();
    });
    return fonts;
}

QWidget* ToolPanel::buildTextField() {
    auto* edit = new QLineEdit(m_controls);
    edit->setAccessibleName("Text");
    auto* text = dynamic_cast<TextTool*>(m_tool);
    if (text) edit->setText(QString::fromStdString(text->text()));
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& value) {
        if (auto* tool = dynamic_cast<TextTool*>(m_tool)) tool->setText(value.toStdString());
    });
    return edit;
}

void ToolPanel::updatePreview() {
    if (!m_preview || !m_tool) return;
    const TipPreview tip = m_tool->renderOptionsPreview(kPreviewBox);
    QImage picture(kPreviewBox + 2, kPreviewBox + 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const int ox = 1 + (kPreviewBox - tip.coverage.width()) / 2;
    const int oy = 1 + (kPreviewBox - tip.coverage.height()) / 2;
    for (std::int32_t y = 0; y < tip.coverage.height(); ++y)
        for (std::int32_t x = 0; x < tip.coverage.width(); ++x) {
            const int v = 255 - tip.coverage.get(x, y);
            picture.setPixel(ox + x, oy + y, qRgb(v, v, v));
        }
    QPainter painter(&picture);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, kPreviewBox + 1, kPreviewBox + 1);
    if (tip.showsSizeNumber) {
        painter.setPen(Qt::red);
        painter.drawText(picture.rect(), Qt::AlignCenter, QString::number(tip.size));
    }
    m_preview->setPixmap(QPixmap::fromImage(picture));
}

} // namespace kv
