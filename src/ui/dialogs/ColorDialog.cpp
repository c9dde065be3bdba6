#include "ui/dialogs/ColorDialog.h"

#include "model/ColorSpaces.h"
#include "settings/Settings.h"
#include "ui/dialogs/ColorPickArea.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/dialogs/HueBar.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace kv {
namespace {

constexpr const char* kColorSpace = "ColorEditor.ColorSpace";
constexpr std::uint32_t kRgbSpace = 1;
constexpr std::uint32_t kHslSpace = 2;

int Scaled(float unit, int range) {
    return static_cast<int>(std::lround(unit * static_cast<float>(range)));
}

ColorSpaceValue RgbOf(Color32 color) {
    ColorSpaceValue v;
    v.r = ByteToUnit(RedOf(color));
    v.g = ByteToUnit(GreenOf(color));
    v.b = ByteToUnit(BlueOf(color));
    return v;
}

Color32 ColorOf(const ColorSpaceValue& v, unsigned alpha) {
    return MakeColor32(static_cast<unsigned>(Scaled(v.r, 255)),
                       static_cast<unsigned>(Scaled(v.g, 255)),
                       static_cast<unsigned>(Scaled(v.b, 255)), alpha);
}

} // namespace

QString HexText(Color32 color) {
    return QString::asprintf("%06X", color & 0xFFFFFFu);
}

std::optional<Color32> ChooseColor(Color32 color, QWidget* parent) {
    ColorDialog dialog(color, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.color();
}

ColorDialog::ColorDialog(Color32 color, QWidget* parent)
    : QDialog(parent), m_area(new ColorPickArea(this)), m_hueBar(new HueBar(this)) {
    setWindowTitle("Color");
    auto* picking = new QHBoxLayout;
    picking->addWidget(m_area, 1);
    picking->addWidget(m_hueBar);
    picking->addWidget(buildFields());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(picking);
    layout->addWidget(NewDialogButtons(*this, QString()));
    connect(m_area, &ColorPickArea::picked, this, [this] { pickedInArea(); });
    connect(m_hueBar, &HueBar::hueChosen, this, [this](float hue) {
        m_hue = hue;
        m_area->setHue(hue);
        pickedInArea();
    });
    const bool hsl = HaveSettings() && Settings().unsignedValue(kColorSpace) == kHslSpace;
    (hsl ? m_hsl : m_rgb)->setChecked(true);
    m_color = color;
    fillFields();
    display(color, nullptr);
}

QWidget* ColorDialog::buildFields() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    m_rgb = new QRadioButton("RGB", panel);
    m_hsl = new QRadioButton("HSL", panel);
    grid->addWidget(m_rgb, 0, 0);
    grid->addWidget(m_hsl, 0, 1);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_labels[i] = new QLabel(panel);
        m_fields[i] = NewSpinBox(panel, 0, 255, 0, QString());
        m_labels[i]->setBuddy(m_fields[i]);
        grid->addWidget(m_labels[i], static_cast<int>(i) + 1, 0);
        grid->addWidget(m_fields[i], static_cast<int>(i) + 1, 1);
        connect(m_fields[i], &QSpinBox::valueChanged, this, [this] { fieldsEdited(); });
    }
    m_alpha = NewSpinBox(panel, 0, 255, 255, "A:");
    grid->addWidget(new QLabel("A:", panel), 4, 0);
    grid->addWidget(m_alpha, 4, 1);
    connect(m_alpha, &QSpinBox::valueChanged, this, [this] { fieldsEdited(); });
    m_hex = new QLineEdit(panel);
    m_hex->setAccessibleName("Hex #");
    m_hex->setMaxLength(6);
    m_hex->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,6}"), m_hex));
    grid->addWidget(new QLabel("Hex #", panel), 5, 0);
    grid->addWidget(m_hex, 5, 1);
    connect(m_hex, &QLineEdit::textEdited, this, &ColorDialog::hexEdited);
    m_sample = new QLabel(panel);
    m_sample->setAccessibleName("Color sample");
    m_sample->setFixedSize(64, 32);
    m_sample->setAutoFillBackground(true);
    grid->addWidget(m_sample, 6, 0, 1, 2);
    connect(m_hsl, &QRadioButton::toggled, this, [this](bool on) { showHsl(on); });
    return panel;
}

bool ColorDialog::showsHsl() const {
    return m_hsl->isChecked();
}

void ColorDialog::showHsl(bool hsl) {
    if (m_hsl->isChecked() != hsl) (hsl ? m_hsl : m_rgb)->setChecked(true);
    if (HaveSettings())
        Settings().unsignedSetting(kColorSpace).setValue(hsl ? kHslSpace : kRgbSpace);
    fillFields();
}

void ColorDialog::setColor(Color32 color) {
    display(color, nullptr);
}

void ColorDialog::fillFields() {
    const bool hsl = showsHsl();
    const std::array<const char*, 3> names = hsl ? std::array<const char*, 3>{"H:", "S:", "L:"}
                                                 : std::array<const char*, 3>{"R:", "G:", "B:"};
    const std::array<int, 3> ranges =
        hsl ? std::array<int, 3>{359, 100, 100} : std::array<int, 3>{255, 255, 255};
    m_showing = true;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_labels[i]->setText(names[i]);
        m_fields[i]->setAccessibleName(names[i]);
        m_fields[i]->setRange(0, ranges[i]);
    }
    m_showing = false;
    display(m_color, nullptr);
}

void ColorDialog::display(Color32 color, const QObject* from) {
    m_color = color;
    m_showing = true;
    ColorSpaceValue hsv = RgbOf(color);
    RgbToHsv(hsv);
    // A grey has no hue of its own: the bar stays where the user left it.
    if (hsv.c2 > 0 && from != m_hueBar && from != m_area) m_hue = hsv.c1 >= 1.0f ? 0.0f : hsv.c1;
    if (from != m_hueBar) m_hueBar->setHue(m_hue);
    m_area->setHue(m_hue);
    if (from != m_area) m_area->setSaturationValue(hsv.c2, hsv.c3);
    if (from != m_fields[0]) {
        ColorSpaceValue v = RgbOf(color);
        std::array<int, 3> values{static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                                  static_cast<int>(BlueOf(color))};
        if (showsHsl()) {
            RgbToHsl(v);
            values = {Scaled(v.c2 > 0 ? m_hue : v.c1, 360) % 360, Scaled(v.c2, 100),
                      Scaled(v.c3, 100)};
        }
        for (std::size_t i = 0; i < m_fields.size(); ++i)
            m_fields[i]->setValue(values[i]);
        m_alpha->setValue(static_cast<int>(AlphaOf(color)));
    }
    if (from != m_hex) m_hex->setText(HexText(color));
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::Window, QColor(RedOf(color), GreenOf(color), BlueOf(color)));
    m_sample->setPalette(palette);
    m_showing = false;
}

void ColorDialog::fieldsEdited() {
    if (m_showing) return;
    const unsigned alpha = static_cast<unsigned>(m_alpha->value());
    if (!showsHsl()) {
        display(MakeColor32(static_cast<unsigned>(m_fields[0]->value()),
                            static_cast<unsigned>(m_fields[1]->value()),
                            static_cast<unsigned>(m_fields[2]->value()), alpha),
                m_fields[0]);
        return;
    }
    ColorSpaceValue v;
    v.c1 = static_cast<float>(m_fields[0]->value()) / 360.0f;
    v.c2 = static_cast<float>(m_fields[1]->value()) / 100.0f;
    v.c3 = static_cast<float>(m_fields[2]->value()) / 100.0f;
    HslToRgb(v);
    if (v.c2 > 0) m_hue = v.c1;
    display(ColorOf(v, alpha), m_fields[0]);
}

void ColorDialog::hexEdited(const QString& text) {
    if (text.size() != 6) return;
    bool ok = false;
    const unsigned rgb = text.toUInt(&ok, 16);
    if (ok) display(WithAlpha(rgb, AlphaOf(m_color)), m_hex);
}

void ColorDialog::pickedInArea() {
    if (m_showing) return;
    ColorSpaceValue v;
    v.c1 = m_hue;
    v.c2 = m_area->saturation();
    v.c3 = m_area->value();
    HsvToRgb(v);
    display(ColorOf(v, AlphaOf(m_color)), m_area);
}

} // namespace kv
