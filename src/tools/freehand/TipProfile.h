#pragma once
#include <cstdint>

namespace kv {

// The Brush's soft round tip: full coverage out to the inner radius Ri = R x
// hardness, falling linearly to 0 at the radius R = size / 2 (layer pixels).
class TipProfile {
  public:
    TipProfile(std::int32_t size, std::int32_t hardnessPercent);

    double radius() const { return m_radius; }
    double innerRadius() const { return m_inner; }

    // The coverage at distance d from the centre.
    double coverage(double d) const;
    // Whether a pixel centre at squared distance d2 can be touched at all.
    bool reaches(double d2) const { return d2 <= m_outer2; }
    // The coverage of the pixel whose centre lies (dx, dy) from the tip's
    // centre at squared distance d2: exact where the whole pixel lies in one
    // zone of the profile, else the mean of 8 x 8 samples across the pixel.
    double pixelCoverage(double dx, double dy, double d2) const {
        if (m_hasCore && d2 <= m_core2) return 1.0;
        if (m_hasSlope && d2 <= m_slopeOut2 && d2 >= m_slopeIn2) return slopeAt(d2);
        return sampled(dx, dy);
    }

  private:
    double slopeAt(double d2) const;
    double sampled(double dx, double dy) const;

    double m_radius;
    double m_inner;
    double m_slope; // 1 / (R - Ri), 0 for a hard tip
    double m_radius2;
    double m_inner2;
    double m_outer2; // (R + q)^2, q half a pixel's diagonal
    bool m_hasCore;  // Ri >= q: pixels within Ri - q are fully covered
    double m_core2;
    bool m_hasSlope; // R >= q: pixels between Ri + q and R - q are on the slope
    double m_slopeOut2;
    double m_slopeIn2;
};

// The strength of one dab at full coverage, from the opacity and hardness
// (percent): 255 x (1 - (1 - 0.999 O)^(0.1 (2 - H))), at least 1, and at
// least 128 at full opacity.
double DabStrength(std::uint32_t opacityPercent, std::uint32_t hardnessPercent);

} // namespace kv
