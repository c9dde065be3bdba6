#include "ui/dialogs/LayerPropertiesDialog.h"

#include "model/LayerBase.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/dialogs/HelpTopics.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

constexpr int kSampleSide = 128;

int Percent(float opacity) {
    return static_cast<int>(std::lround(std::clamp(opacity, 0.0f, 1.0f) * 100.0f));
}

} // namespace

LayerPropertiesDialog::LayerPropertiesDialog(const LayerPropertiesValues& values,
                                             const LayerBase* layer, QWidget* parent)
    : QDialog(parent), m_start(values) {
    setWindowTitle("Layer properties");
    const auto& v = values.values;
    auto* fields = new QFormLayout;
    m_name = new QLineEdit(QString::fromStdString(v.name), this);
    m_name->setAccessibleName("Name");
    m_opacity = NewSpinBox(this, 0, 100, Percent(v.opacity), "Opacity");
    m_opacity->setSuffix(" %");
    m_visible = new QCheckBox("Visible", this);
    m_visible->setChecked(v.visible);
    m_supersampled = new QCheckBox("Supersampled", this);
    m_supersampled->setChecked(v.supersampled);
    // A layer that is supersampled may always go back; becoming one needs a
    // small enough image.
    m_supersampled->setEnabled(v.supersampled || values.supersamplingAllowed);
    fields->addRow("Name", m_name);
    fields->addRow("Opacity", m_opacity);
    fields->addRow(m_visible);
    fields->addRow(m_supersampled);

    auto* sampleGroup = new QGroupBox("Sample", this);
    auto* sampleLayout = new QVBoxLayout(sampleGroup);
    m_sample = new QLabel(sampleGroup);
    m_sample->setAccessibleName("Sample");
    m_sample->setFixedSize(kSampleSide, kSampleSide);
    if (layer) m_sample->setPixmap(FittedPicture(ToQImage(layer->pixels()), kSampleSide, true));
    sampleLayout->addWidget(m_sample);

    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addWidget(sampleGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(NewDialogButtons(*this, help::kLayerProperties));
}

LayerPropertiesValues LayerPropertiesDialog::values() const {
    LayerPropertiesValues values = m_start;
    auto& v = values.values;
    v.name = m_name->text().toStdString();
    // An untouched percentage keeps the layer's exact opacity.
    if (m_opacity->value() != Percent(m_start.values.opacity))
        v.opacity = static_cast<float>(m_opacity->value()) / 100.0f;
    v.visible = m_visible->isChecked();
    v.supersampled = m_supersampled->isChecked();
    return values;
}

} // namespace kv
