#pragma once

namespace kv {

// A color in two spaces at once: R, G, B in 0..1, then the matching
// components of the other space: (H, S, V), (H, S, L), (X, Y, Z) or
// (L*, a*, b*). Hue is a fraction of a full turn. Each conversion fills the
// half it computes and leaves the other as given, so the record always holds
// a matching pair.
struct ColorSpaceValue {
    float r = 0, g = 0, b = 0;
    float c1 = 0, c2 = 0, c3 = 0;
};

// A channel byte as 0..1.
constexpr float ByteToUnit(unsigned byte) {
    return static_cast<float>(byte) * 0.003921569f;
}

void RgbToHsv(ColorSpaceValue& v);
// A hue of one full turn (which RgbToHsv gives for pure red) works as 0.
void HsvToRgb(ColorSpaceValue& v);
void RgbToHsl(ColorSpaceValue& v);
void HslToRgb(ColorSpaceValue& v);
// Linear-light CIE XYZ of the (gamma-encoded) RGB.
void RgbToXyz(ColorSpaceValue& v);
// CIE L*a*b* relative to the white of linear (1, 1, 1).
void RgbToLab(ColorSpaceValue& v);

} // namespace kv
