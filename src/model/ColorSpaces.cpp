#include "model/ColorSpaces.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

constexpr float kOneSixth = 0.16666667f;

float Linearise(float c) {
    if (c <= 0.03928f) return c * 0.07739938f;
    return std::pow((c + 0.055f) * 0.94786733f, 2.4f);
}

constexpr float kMatrix[3][3] = {
    {0.412411f, 0.357585f, 0.180454f},
    {0.212649f, 0.715169f, 0.072182f},
    {0.019332f, 0.119195f, 0.950390f},
};

struct WhitePoint {
    float x, y, z;
};

// The XYZ of linear (1, 1, 1): the matrix's row sums, computed once.
const WhitePoint& White() {
    static const WhitePoint white = [] {
        WhitePoint w{};
        w.x = kMatrix[0][0] + kMatrix[0][1] + kMatrix[0][2];
        w.y = kMatrix[1][0] + kMatrix[1][1] + kMatrix[1][2];
        w.z = kMatrix[2][0] + kMatrix[2][1] + kMatrix[2][2];
        return w;
    }();
    return white;
}

float CubeRoot(float t) {
    return std::pow(t, 1.0f / 3.0f);
}

float LabF(float t) {
    return t > 0.008856f ? CubeRoot(t) : 7.787f * t + 0.13793103f;
}

// Hue sectors shared by HSV and HSL: the integer sector and the fraction.
void HueSector(float h, int& sector, float& fraction) {
    const float h6 = (h - std::floor(h)) * 6.0f;
    sector = static_cast<int>(h6);
    fraction = h6 - static_cast<float>(sector);
    // A hue a hair below a whole number (-1e-9, say) leaves h - floor(h)
    // rounded up to 1, so h6 is 6: that is a full turn, which is red, the
    // start of sector 0 (sector 5 would give magenta).
    if (sector == 6) {
        sector = 0;
        fraction = 0;
    }
}

// Within a hue sector one channel is at the top, one at the bottom, and the
// third rises or falls between them.
void SetFromSector(ColorSpaceValue& v, int sector, float top, float rising, float falling,
                   float bottom) {
    // Which of top, rising, falling, bottom each of R, G, B takes.
    static constexpr int kRoles[6][3] = {{0, 1, 3}, {2, 0, 3}, {3, 0, 1},
                                         {3, 2, 0}, {1, 3, 0}, {0, 3, 2}};
    const float values[4] = {top, rising, falling, bottom};
    // Only a hue that is not finite gets here without a sector of 0..5.
    const int* roles = kRoles[sector >= 0 && sector < 6 ? sector : 0];
    v.r = values[roles[0]];
    v.g = values[roles[1]];
    v.b = values[roles[2]];
}

} // namespace

void RgbToHsv(ColorSpaceValue& v) {
    const float mx = std::max({v.r, v.g, v.b});
    const float mn = std::min({v.r, v.g, v.b});
    const float d = mx - mn;
    v.c3 = mx;
    if (!(mx > 0 && d > 0)) {
        v.c1 = v.c2 = 0;
        return;
    }
    v.c2 = d / mx;
    const float rp = (mx - v.r) / d, gp = (mx - v.g) / d, bp = (mx - v.b) / d;
    float h;
    if (v.r == mx)
        h = v.g == mn ? 5 + bp : 1 - gp;
    else if (v.g == mx)
        h = v.b == mn ? 1 + rp : 3 - bp;
    else
        h = v.r == mn ? 3 + gp : 5 - rp;
    v.c1 = h * kOneSixth;
}

void HsvToRgb(ColorSpaceValue& v) {
    const float h = v.c1, s = v.c2, val = v.c3;
    if (!(s > 0)) {
        v.r = v.g = v.b = val;
        return;
    }
    int i;
    float f;
    HueSector(h, i, f);
    const float p = (1 - s) * val, q = (1 - s * f) * val, t = (1 - s * (1 - f)) * val;
    SetFromSector(v, i, val, t, q, p);
}

void RgbToHsl(ColorSpaceValue& v) {
    const float mx = std::max({v.r, v.g, v.b});
    const float mn = std::min({v.r, v.g, v.b});
    const float d = mx - mn;
    v.c3 = (mx + mn) * 0.5f;
    if (d <= 0) {
        v.c1 = v.c2 = 0;
        return;
    }
    v.c2 = v.c3 <= 0.5f ? d / (mx + mn) : d / (2 - mx - mn);
    float h;
    if (v.r == mx) {
        h = (v.g - v.b) / d;
        if (h < 0) h += 6;
    } else if (v.g == mx) {
        h = (v.b - v.r) / d + 2;
    } else {
        h = (v.r - v.g) / d + 4;
    }
    v.c1 = h * kOneSixth;
}

void HslToRgb(ColorSpaceValue& v) {
    const float s = v.c2, l = v.c3;
    const float q = l <= 0.5f ? l * (1 + s) : l + s - l * s;
    const float p = 2 * l - q;
    if (q <= 0) {
        v.r = v.g = v.b = 0;
        return;
    }
    int i;
    float f;
    HueSector(v.c1, i, f);
    const float t = f * (q - p), up = p + t, down = q - t;
    SetFromSector(v, i, q, up, down, p);
}

void RgbToXyz(ColorSpaceValue& v) {
    const float lr = Linearise(v.r), lg = Linearise(v.g), lb = Linearise(v.b);
    v.c1 = kMatrix[0][0] * lr + kMatrix[0][1] * lg + kMatrix[0][2] * lb;
    v.c2 = kMatrix[1][0] * lr + kMatrix[1][1] * lg + kMatrix[1][2] * lb;
    v.c3 = kMatrix[2][0] * lr + kMatrix[2][1] * lg + kMatrix[2][2] * lb;
}

void RgbToLab(ColorSpaceValue& v) {
    RgbToXyz(v);
    const WhitePoint& w = White();
    const float x = v.c1 / w.x, y = v.c2 / w.y, z = v.c3 / w.z;
    const float fx = LabF(x), fy = LabF(y), fz = LabF(z);
    v.c1 = y <= 0.008856f ? 903.3f * y : 116 * CubeRoot(y) - 16;
    v.c2 = 500 * (fx - fy);
    v.c3 = 200 * (fy - fz);
}

} // namespace kv
