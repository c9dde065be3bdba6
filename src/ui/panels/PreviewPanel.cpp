#include "ui/panels/PreviewPanel.h"

#include "settings/SettingsStore.h"
#include "ui/panels/PanelWidgets.h"
#include "ui/panels/PreviewCanvas.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv {
namespace {
constexpr const char* kChequerSetting = "Panels.Preview.ChequeredBackground";
}

PreviewPanel::PreviewPanel(SettingsStore& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    m_label = new QLabel(this);
    m_label->setAccessibleName("Preview zoom");
    row->addWidget(m_label, 1);
    QToolButton* in = MakePanelButton("Zoom in", ButtonGlyph::ZoomIn, this);
    QToolButton* out = MakePanelButton("Zoom out", ButtonGlyph::ZoomOut, this);
    QToolButton* chequer = MakePanelButton("Chequered background", ButtonGlyph::Chequer, this);
    chequer->setCheckable(true);
    chequer->setChecked(m_settings.boolValue(kChequerSetting));
    row->addWidget(in);
    row->addWidget(out);
    row->addWidget(chequer);
    layout->addLayout(row);
    m_canvas = new PreviewCanvas(this);
    m_canvas->setToolTip("Use wheel to zoom, middle button to pan. Click to adjust the main view.");
    m_canvas->setChequered(chequer->isChecked());
    layout->addWidget(m_canvas, 1);
    connect(in, &QToolButton::clicked, this, [this] { zoomBy(1); });
    connect(out, &QToolButton::clicked, this, [this] { zoomBy(-1); });
    connect(chequer, &QToolButton::toggled, this, [this](bool on) {
        m_settings.boolSetting(kChequerSetting).setValue(on);
        m_canvas->setChequered(on);
    });
    connect(m_canvas, &PreviewCanvas::zoomRequested, this, &PreviewPanel::zoomBy);
    connect(m_canvas, &PreviewCanvas::placeClicked, this, &PreviewPanel::placeClicked);
    zoomBy(0);
}

QToolButton* PreviewPanel::button(const QString& tip) const {
    return FindPanelButton(*this, tip);
}

int PreviewPanel::factor() const {
    return m_canvas->factor();
}

void PreviewPanel::zoomBy(int steps) {
    int factor = m_canvas->factor();
    for (; steps > 0 && factor < kMaxFactor; --steps)
        factor *= 2;
    for (; steps < 0 && factor > 1; ++steps)
        factor /= 2;
    m_canvas->setFactor(factor);
    m_label->setText(QString::number(factor) + "00%");
    button("Zoom in")->setEnabled(factor < kMaxFactor);
    button("Zoom out")->setEnabled(factor > 1);
}

void PreviewPanel::setImage(const Image* image) {
    m_canvas->setImage(image);
}

void PreviewPanel::imageChanged() {
    m_canvas->update();
}

} // namespace kv
