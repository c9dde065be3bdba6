#include "ui/dialogs/ColorButton.h"

#include "ui/dialogs/ColorDialog.h"

#include <QPixmap>

namespace kv {

ColorButton::ColorButton(const QString& name, QWidget* parent) : QPushButton(parent) {
    setAccessibleName(name);
    setToolTip(name);
    setIconSize(QSize(32, 14));
    connect(this, &QPushButton::clicked, this, [this] {
        if (const auto chosen = ChooseColor(m_color, this)) setColor(*chosen);
    });
    setColor(m_color);
}

void ColorButton::setColor(Color32 color) {
    m_color = color;
    QPixmap swatch(iconSize());
    swatch.fill(QColor(RedOf(color), GreenOf(color), BlueOf(color)));
    setIcon(swatch);
    setText(HexText(color));
}

} // namespace kv
