#pragma once
#include "commands/host/DialogValues.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace kv {

class TargetFormatGroup;

// "Image properties": the size (with "Keep ratio"), the target format and
// whether the image is exported.
class ImagePropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ImagePropertiesDialog(const ImagePropertiesValues& values, QWidget* parent = nullptr);

    ImagePropertiesValues values() const;

    QSpinBox& widthBox() { return *m_width; }
    QSpinBox& heightBox() { return *m_height; }
    QCheckBox& keepRatioBox() { return *m_keepRatio; }

  private:
    // With "Keep ratio" the other side follows the image's first size,
    // rounded to the nearest whole pixel and never below 1.
    void follow(bool widthChanged);

    ImagePropertiesValues m_start;
    QSpinBox* m_width;
    QSpinBox* m_height;
    QCheckBox* m_keepRatio;
    TargetFormatGroup* m_format;
    QCheckBox* m_notForExport;
    bool m_following = false;
};

// The side that keeps `fromSide : toSide` when the first becomes `changed`.
int KeptRatioSide(int changed, int fromSide, int toSide);

} // namespace kv
