#pragma once
#include "model/ModelTypes.h"

#include <QGroupBox>

class QButtonGroup;

namespace kv {

// "Target color format": the five formats as a choice of one, in the order
// the dialogs list them.
class TargetFormatGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit TargetFormatGroup(TargetFormat format, QWidget* parent = nullptr);

    TargetFormat format() const;
    void setFormat(TargetFormat format);

  private:
    QButtonGroup* m_buttons;
};

} // namespace kv
