#pragma once
#include "model/Color32.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace kv {

class ColorPickArea;
class HueBar;

// "Color": a picking area with a hue bar worked in HSV, numeric fields in
// RGB or HSL (the choice is remembered), alpha, and the hexadecimal form.
class ColorDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ColorDialog(Color32 color, QWidget* parent = nullptr);

    Color32 color() const { return m_color; }
    void setColor(Color32 color);

    // Whether the numeric fields show HSL rather than RGB.
    bool showsHsl() const;
    void showHsl(bool hsl);

    QSpinBox& field(int index) { return *m_fields[static_cast<std::size_t>(index)]; }
    QSpinBox& alphaBox() { return *m_alpha; }
    QLineEdit& hexBox() { return *m_hex; }
    ColorPickArea& pickArea() { return *m_area; }
    HueBar& hueBar() { return *m_hueBar; }

  private:
    QWidget* buildFields();
    // Shows the colour everywhere except in the control it came from.
    void display(Color32 color, const QObject* from);
    void fieldsEdited();
    void hexEdited(const QString& text);
    void pickedInArea();
    void fillFields();

    Color32 m_color = 0;
    float m_hue = 0;
    bool m_showing = false;
    ColorPickArea* m_area;
    HueBar* m_hueBar;
    QRadioButton* m_rgb = nullptr;
    QRadioButton* m_hsl = nullptr;
    std::array<QLabel*, 3> m_labels{};
    std::array<QSpinBox*, 3> m_fields{};
    QSpinBox* m_alpha = nullptr;
    QLineEdit* m_hex = nullptr;
    QLabel* m_sample = nullptr;
};

// Asks for a colour; nothing when the user cancelled.
std::optional<Color32> ChooseColor(Color32 color, QWidget* parent = nullptr);

// "%06X" of the colour's red, green and blue.
QString HexText(Color32 color);

} // namespace kv
