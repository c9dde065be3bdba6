#include "model/Resampler.h"

#include "model/FixedPoint.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// Coordinates are in 1/256 source pixels throughout.
constexpr std::int32_t kUnit = 256;
constexpr std::int32_t kHalf = 128;

std::int64_t RoundEven(double value) {
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// Weighted sums of one sample; the weights of a sample add up to 65536.
struct Accumulator {
    std::uint32_t alpha = 0;
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;

    void add(Color32 pixel, std::uint32_t weight) {
        const std::uint32_t wa = weight * AlphaOf(pixel);
        alpha += wa;
        red += wa * RedOf(pixel);
        green += wa * GreenOf(pixel);
        blue += wa * BlueOf(pixel);
    }

    static std::uint32_t mean(std::uint32_t x, std::uint32_t y) {
        return static_cast<std::uint32_t>((std::uint64_t{x} + y) >> 1);
    }
    static Accumulator average(const Accumulator& p, const Accumulator& q) {
        return {mean(p.alpha, q.alpha), mean(p.red, q.red), mean(p.green, q.green),
                mean(p.blue, q.blue)};
    }

    Color32 finish() const {
        const std::uint32_t a = (alpha + 32768u) >> 16;
        if (a == 0) return 0;
        const double divisor = static_cast<double>(alpha >> 1);
        const auto channel = [&](std::uint32_t sum) {
            const std::int64_t c = RoundEven(static_cast<double>(sum >> 1) / divisor);
            return static_cast<unsigned>(std::clamp<std::int64_t>(c, 0, 255));
        };
        return MakeColor32(channel(red), channel(green), channel(blue), a);
    }
};

class Sampler {
  public:
    Sampler(const PixelArray& src, std::int32_t step) : m_src(src), m_step(step) {}

    // Bilinear sample with pixel centres at 256 k + 128; positions near the
    // border use only the pixels that exist.
    Accumulator bilinear(std::int64_t u, std::int64_t v) const {
        const std::int64_t w = m_src.width(), h = m_src.height();
        const bool uBorder = u <= kHalf || u >= kUnit * w - kHalf;
        const bool vBorder = v <= kHalf || v >= kUnit * h - kHalf;
        Accumulator acc;
        if (uBorder && vBorder) {
            acc.add(pixel(u >> 8, v >> 8), 65536);
        } else if (uBorder) {
            const std::int64_t row = (v - kHalf) >> 8;
            const std::uint32_t fy = static_cast<std::uint32_t>((v - kHalf) & 255);
            acc.add(pixel(u >> 8, row), 256 * (256 - fy));
            acc.add(pixel(u >> 8, row + 1), 256 * fy);
        } else if (vBorder) {
            const std::int64_t column = (u - kHalf) >> 8;
            const std::uint32_t fx = static_cast<std::uint32_t>((u - kHalf) & 255);
            acc.add(pixel(column, v >> 8), 256 * (256 - fx));
            acc.add(pixel(column + 1, v >> 8), 256 * fx);
        } else {
            const std::int64_t column = (u - kHalf) >> 8, row = (v - kHalf) >> 8;
            addFour(acc, column, row, static_cast<std::uint32_t>((u - kHalf) & 255),
                    static_cast<std::uint32_t>((v - kHalf) & 255));
        }
        return acc;
    }

    // The area is halved until it fits the step; then either one bilinear
    // sample at its centre (a sparse step) or the exact coverage of the at
    // most 2 x 2 pixels it touches.
    Accumulator area(std::int64_t xl, std::int64_t yt, std::int64_t xr, std::int64_t yb) const {
        const std::int64_t width = xr - xl, height = yb - yt;
        if (height > m_step) {
            const std::int64_t mid = yt + (height >> 1);
            return Accumulator::average(area(xl, yt, xr, mid), area(xl, mid, xr, yb));
        }
        if (width > m_step) {
            const std::int64_t mid = xl + (width >> 1);
            return Accumulator::average(area(xl, yt, mid, yb), area(mid, yt, xr, yb));
        }
        if (m_step > kUnit) return bilinear(xl + (width >> 1), yt + (height >> 1));
        return covered(xl, yt, xr, yb);
    }

  private:
    Color32 pixel(std::int64_t x, std::int64_t y) const {
        x = std::clamp<std::int64_t>(x, 0, m_src.width() - 1);
        y = std::clamp<std::int64_t>(y, 0, m_src.height() - 1);
        return m_src.get(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
    }

    void addFour(Accumulator& acc, std::int64_t column, std::int64_t row, std::uint32_t fx,
                 std::uint32_t fy) const {
        acc.add(pixel(column, row), (256 - fx) * (256 - fy));
        acc.add(pixel(column + 1, row), fx * (256 - fy));
        acc.add(pixel(column, row + 1), (256 - fx) * fy);
        acc.add(pixel(column + 1, row + 1), fx * fy);
    }

    // Share of the far pixel of a span that crosses one pixel boundary.
    static std::uint32_t farShare(std::int64_t end, std::int64_t length) {
        return static_cast<std::uint32_t>(((end & 255) * ReciprocalTable[length] + 32768) >> 16);
    }

    Accumulator covered(std::int64_t xl, std::int64_t yt, std::int64_t xr, std::int64_t yb) const {
        const std::int64_t column = xl >> 8, row = yt >> 8;
        const bool twoColumns = xr - xl > 0 && ((xr - 1) >> 8) != column;
        const bool twoRows = yb - yt > 0 && ((yb - 1) >> 8) != row;
        Accumulator acc;
        if (twoColumns && twoRows) {
            addFour(acc, column, row, farShare(xr, xr - xl), farShare(yb, yb - yt));
        } else if (twoRows) {
            const std::uint32_t fy = farShare(yb, yb - yt);
            acc.add(pixel(column, row), 256 * (256 - fy));
            acc.add(pixel(column, row + 1), 256 * fy);
        } else if (twoColumns) {
            const std::uint32_t fx = farShare(xr, xr - xl);
            acc.add(pixel(column, row), 256 * (256 - fx));
            acc.add(pixel(column + 1, row), 256 * fx);
        } else {
            acc.add(pixel(column, row), 65536);
        }
        return acc;
    }

    const PixelArray& m_src;
    std::int32_t m_step;
};

// The area step: 256 covers every source pixel; a budget makes it coarser.
std::int32_t AreaStep(const PixelArray& dst, const PixelArray& src,
                      const ResamplerOptions& options) {
    const double sourcePixels = static_cast<double>(src.width()) * src.height();
    std::int64_t step = kUnit;
    if (options.totalSampleBudget != 0) {
        const std::int64_t t =
            RoundEven(kUnit * std::sqrt(sourcePixels / options.totalSampleBudget));
        if (t >= kUnit) step = t;
    }
    if (options.samplesPerPixel != 0) {
        const double perPixel = sourcePixels / (static_cast<double>(dst.width()) * dst.height());
        const std::int64_t t = RoundEven(kUnit * std::sqrt(perPixel / options.samplesPerPixel));
        if (t >= step) step = t;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(step, INT32_MAX));
}

// Right (or bottom) edge of destination pixel k, in 1/256 source pixels.
std::int64_t Edge(std::int32_t k, double scale) {
    return RoundEven(kUnit * static_cast<double>(k + 1) * scale);
}

} // namespace

void Resample(PixelArray& dst, const PixelArray& src, const ResamplerOptions& options) {
    if (dst.isEmpty()) return;
    if (src.isEmpty()) {
        dst.fill(0);
        return;
    }
    const double sx = static_cast<double>(src.width()) / dst.width();
    const double sy = static_cast<double>(src.height()) / dst.height();
    if (options.smoothEnlargement && sx < 1.0 && sy < 1.0) {
        const Sampler sampler(src, kUnit);
        for (std::int32_t y = 0; y < dst.height(); ++y) {
            const std::int64_t v = RoundEven(kUnit * (y + 0.5) * sy);
            Color32* out = dst.row(y);
            for (std::int32_t x = 0; x < dst.width(); ++x)
                out[x] = sampler.bilinear(RoundEven(kUnit * (x + 0.5) * sx), v).finish();
        }
        return;
    }
    const Sampler sampler(src, AreaStep(dst, src, options));
    std::int64_t yt = 0;
    for (std::int32_t y = 0; y < dst.height(); ++y) {
        const std::int64_t yb = Edge(y, sy);
        Color32* out = dst.row(y);
        std::int64_t xl = 0;
        for (std::int32_t x = 0; x < dst.width(); ++x) {
            const std::int64_t xr = Edge(x, sx);
            out[x] = sampler.area(xl, yt, xr, yb).finish();
            xl = xr;
        }
        yt = yb;
    }
}

} // namespace kv
