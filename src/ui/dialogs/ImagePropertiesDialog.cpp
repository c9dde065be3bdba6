#include "ui/dialogs/ImagePropertiesDialog.h"

#include "ui/dialogs/DialogParts.h"
#include "ui/dialogs/HelpTopics.h"
#include "ui/dialogs/TargetFormatGroup.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>

namespace kv {

int KeptRatioSide(int changed, int fromSide, int toSide) {
    if (fromSide <= 0) return std::max(1, toSide);
    const std::int64_t scaled = static_cast<std::int64_t>(changed) * toSide;
    // To the nearest pixel, halves up.
    const std::int64_t side = (2 * scaled + fromSide) / (2 * static_cast<std::int64_t>(fromSide));
    return static_cast<int>(std::clamp<std::int64_t>(side, 1, kMaxImageSide));
}

ImagePropertiesDialog::ImagePropertiesDialog(const ImagePropertiesValues& values, QWidget* parent)
    : QDialog(parent), m_start(values) {
    setWindowTitle("Image properties");
    auto* layout = new QVBoxLayout(this);
    auto* size = new QGroupBox("Image size", this);
    auto* sizeLayout = new QFormLayout(size);
    m_width = NewSpinBox(size, 1, kMaxImageSide, values.values.width, "Width");
    m_height = NewSpinBox(size, 1, kMaxImageSide, values.values.height, "Height");
    m_keepRatio = new QCheckBox("Keep ratio", size);
    m_keepRatio->setChecked(true);
    sizeLayout->addRow("Width", m_width);
    sizeLayout->addRow("Height", m_height);
    sizeLayout->addRow(m_keepRatio);
    layout->addWidget(size);
    m_format = new TargetFormatGroup(values.values.targetFormat, this);
    layout->addWidget(m_format);
    auto* options = new QGroupBox("Options", this);
    auto* optionsLayout = new QVBoxLayout(options);
    m_notForExport = new QCheckBox("Not for export", options);
    m_notForExport->setChecked(!values.values.forExport);
    optionsLayout->addWidget(m_notForExport);
    layout->addWidget(options);
    layout->addWidget(NewDialogButtons(*this, help::kImageProperties));
    connect(m_width, &QSpinBox::valueChanged, this, [this] { follow(true); });
    connect(m_height, &QSpinBox::valueChanged, this, [this] { follow(false); });
}

void ImagePropertiesDialog::follow(bool widthChanged) {
    if (m_following || !m_keepRatio->isChecked()) return;
    m_following = true;
    const auto& start = m_start.values;
    if (widthChanged)
        m_height->setValue(KeptRatioSide(m_width->value(), start.width, start.height));
    else
        m_width->setValue(KeptRatioSide(m_height->value(), start.height, start.width));
    m_following = false;
}

ImagePropertiesValues ImagePropertiesDialog::values() const {
    ImagePropertiesValues values = m_start;
    values.values.width = m_width->value();
    values.values.height = m_height->value();
    values.values.targetFormat = m_format->format();
    values.values.forExport = !m_notForExport->isChecked();
    return values;
}

} // namespace kv
