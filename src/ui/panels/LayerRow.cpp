#include "ui/panels/LayerRow.h"

#include "model/LayerBase.h"
#include "ui/panels/ToolIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <cmath>

namespace kv {

LayerRow::LayerRow(const LayerBase& layer, const QPixmap& thumbnail, QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(4);
    m_eye = new QToolButton(this);
    m_eye->setAutoRaise(true);
    m_eye->setIconSize(QSize(14, 14));
    const QString tip = layer.visible() ? "Hide Layer" : "Show Layer";
    m_eye->setToolTip(tip);
    m_eye->setAccessibleName(tip);
    // A hidden layer shows an empty box where the eye was.
    if (layer.visible()) m_eye->setIcon(ButtonIcon(ButtonGlyph::Eye));
    m_eye->setFixedSize(20, 20);
    connect(m_eye, &QToolButton::clicked, this, &LayerRow::visibilityToggled);
    row->addWidget(m_eye);
    auto* picture = new QLabel(this);
    picture->setPixmap(thumbnail);
    row->addWidget(picture);
    m_name = new QLabel(QString::fromStdString(layer.displayName()), this);
    m_name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(m_name, 1);
    m_note = new QLabel(Note(layer), this);
    row->addWidget(m_note);
    // The row only shows; selection stays with the list.
    m_name->setAttribute(Qt::WA_TransparentForMouseEvents);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_note->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QString LayerRow::name() const {
    return m_name->text();
}

QString LayerRow::Note(const LayerBase& layer) {
    QStringList parts;
    if (const int levels = layer.supersamplingFactor(); levels > 0)
        parts << QString("x%1").arg(1 << levels);
    const int percent = static_cast<int>(std::lround(layer.opacity() * 100.0f));
    if (percent < 100) parts << QString("%1%").arg(percent);
    return parts.join(";");
}

} // namespace kv
