#include "ui/dialogs/DialogParts.h"

#include "ui/dialogs/HelpWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>

namespace kv {

QDialogButtonBox* NewDialogButtons(QDialog& dialog, const QString& helpTopic) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    if (!helpTopic.isEmpty()) {
        QPushButton* help = buttons->addButton("Help", QDialogButtonBox::HelpRole);
        QObject::connect(help, &QPushButton::clicked, &dialog,
                         [helpTopic, &dialog] { ShowHelpTopic(helpTopic, &dialog); });
        InstallHelpKey(dialog, helpTopic);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QSpinBox* NewSpinBox(QWidget* parent, int low, int high, int value, const QString& name) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    box->setAccessibleName(name);
    return box;
}

QImage ToQImage(const PixelArray& pixels) {
    if (pixels.isEmpty()) return {};
    const QImage wrapped(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(),
                         pixels.height(), pixels.width() * 4, QImage::Format_ARGB32);
    return wrapped.copy();
}

QPixmap FittedPicture(const QImage& picture, int side, bool chequered) {
    QPixmap area(side, side);
    area.fill(Qt::transparent);
    QPainter painter(&area);
    if (picture.isNull()) return area;
    QImage shown = picture;
    if (shown.width() > side || shown.height() > side)
        shown = shown.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QRect target((side - shown.width()) / 2, (side - shown.height()) / 2, shown.width(),
                       shown.height());
    if (chequered) {
        constexpr int cell = 8;
        for (int y = target.top(); y <= target.bottom(); y += cell)
            for (int x = target.left(); x <= target.right(); x += cell) {
                const bool dark = ((x - target.left()) / cell + (y - target.top()) / cell) % 2;
                painter.fillRect(QRect(x, y, cell, cell).intersected(target),
                                 dark ? QColor(192, 192, 192) : QColor(240, 240, 240));
            }
    }
    painter.drawImage(target, shown);
    return area;
}

} // namespace kv
