#pragma once
// Pieces every dialog of the program is built from: the OK / Cancel / Help
// row, spin boxes whose range is the setting's limit, pictures drawn over
// the chequer board.
#include "model/PixelArray.h"

#include <QImage>
#include <QPixmap>
#include <QString>

class QDialog;
class QDialogButtonBox;
class QSpinBox;
class QWidget;

namespace kv {

// The largest side a dialog accepts for an image.
inline constexpr int kMaxImageSide = 4096;

// OK and "Cancel", and "Help" opening the topic when one is named. The
// buttons accept and reject the dialog.
QDialogButtonBox* NewDialogButtons(QDialog& dialog, const QString& helpTopic);

// A spin box that refuses what lies outside low..high.
QSpinBox* NewSpinBox(QWidget* parent, int low, int high, int value, const QString& name);

// The pixels as a Qt image (a copy; the colour words are the same).
QImage ToQImage(const PixelArray& pixels);

// The picture scaled to fit a square of `side` (never enlarged), drawn over
// the chequer board or over the widget colour, centred in that square.
QPixmap FittedPicture(const QImage& picture, int side, bool chequered);

} // namespace kv
