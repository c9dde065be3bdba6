#include "tools/freehand/TipProfile.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

const double kHalfDiagonal = std::sqrt(2.0) / 2;

} // namespace

TipProfile::TipProfile(std::int32_t size, std::int32_t hardnessPercent) {
    const double h = hardnessPercent / 100.0;
    const double q = kHalfDiagonal;
    m_radius = size * 0.5;
    m_inner = m_radius * h;
    m_slope = h < 0.999 ? 1.0 / (m_radius - m_inner) : 0.0;
    m_radius2 = m_radius * m_radius;
    m_inner2 = m_inner * m_inner;
    m_outer2 = (m_radius + q) * (m_radius + q);
    m_hasCore = m_inner >= q;
    m_core2 = (m_inner - q) * (m_inner - q);
    m_hasSlope = m_radius >= q;
    m_slopeOut2 = (m_radius - q) * (m_radius - q);
    m_slopeIn2 = (m_inner + q) * (m_inner + q);
}

double TipProfile::coverage(double d) const {
    if (d <= m_inner) return 1.0;
    if (d <= m_radius) return (m_radius - d) * m_slope;
    return 0.0;
}

double TipProfile::slopeAt(double d2) const {
    return (m_radius - std::sqrt(d2)) * m_slope;
}

double TipProfile::sampled(double dx, double dy) const {
    double sum = 0;
    for (int j = 1; j <= 8; ++j) {
        const double sy = dy + (j - 4.5) / 8;
        for (int i = 1; i <= 8; ++i) {
            const double sx = dx + (i - 4.5) / 8;
            const double d2 = sx * sx + sy * sy;
            if (d2 > m_radius2) continue;
            sum += d2 <= m_inner2 ? 1.0 : slopeAt(d2);
        }
    }
    return sum / 64;
}

double DabStrength(std::uint32_t opacityPercent, std::uint32_t hardnessPercent) {
    const double o = opacityPercent / 100.0;
    const double h = hardnessPercent / 100.0;
    const double a = 255 * (1 - std::pow(1 - 0.999 * o, 0.1 * (2 - h)));
    return std::max(a, o < 0.999 ? 1.0 : 128.0);
}

} // namespace kv
