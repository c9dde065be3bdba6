#pragma once
#include "commands/host/DialogValues.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kv {

class LayerBase;

// "Layer properties": name, opacity in percent, visibility, supersampling,
// and a sample of the layer's pixels.
class LayerPropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    // `layer` gives the sample; null shows none.
    LayerPropertiesDialog(const LayerPropertiesValues& values, const LayerBase* layer,
                          QWidget* parent = nullptr);

    LayerPropertiesValues values() const;

    QLineEdit& nameBox() { return *m_name; }
    QSpinBox& opacityBox() { return *m_opacity; }
    QCheckBox& visibleBox() { return *m_visible; }
    QCheckBox& supersampledBox() { return *m_supersampled; }
    QLabel& sample() { return *m_sample; }

  private:
    LayerPropertiesValues m_start;
    QLineEdit* m_name;
    QSpinBox* m_opacity;
    QCheckBox* m_visible;
    QCheckBox* m_supersampled;
    QLabel* m_sample;
};

} // namespace kv
