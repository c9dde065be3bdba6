#include "ui/dialogs/TargetFormatGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace kv {
namespace {

constexpr std::array kFormats{TargetFormat::Rgba32, TargetFormat::Rgb24, TargetFormat::Palette8,
                              TargetFormat::Palette4, TargetFormat::Mono};

} // namespace

TargetFormatGroup::TargetFormatGroup(TargetFormat format, QWidget* parent)
    : QGroupBox("Target color format", parent), m_buttons(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        auto* button = new QRadioButton(TargetFormatName(kFormats[i]), this);
        m_buttons->addButton(button, static_cast<int>(i));
        layout->addWidget(button);
    }
    setFormat(format);
}

TargetFormat TargetFormatGroup::format() const {
    const int id = m_buttons->checkedId();
    return id < 0 ? TargetFormat::Rgba32 : kFormats[static_cast<std::size_t>(id)];
}

void TargetFormatGroup::setFormat(TargetFormat format) {
    for (std::size_t i = 0; i < kFormats.size(); ++i)
        if (kFormats[i] == format) m_buttons->button(static_cast<int>(i))->setChecked(true);
    // An unknown code (a hand-edited setting) falls back to the first.
    if (m_buttons->checkedId() < 0) m_buttons->button(0)->setChecked(true);
}

} // namespace kv
