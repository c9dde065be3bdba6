#include "storage/project/Predictor.h"

#include <cstdlib>

namespace kv {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

std::uint32_t Channel(std::uint32_t c, int shift) {
    return (c >> shift) & 0xFFu;
}

// Prediction for a pixel with both a left and an upper neighbour.
template <int Method>
std::uint32_t PredictInner(std::uint32_t l, std::uint32_t u, std::uint32_t ul) {
    if constexpr (Method == 0) {
        return 0;
    } else if constexpr (Method == 1) {
        return l & kRgbMask;
    } else if constexpr (Method == 2) {
        return u & kRgbMask;
    } else {
        std::uint32_t p = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>(Channel(l, shift));
            const int b = static_cast<int>(Channel(u, shift));
            const int c = static_cast<int>(Channel(ul, shift));
            int v;
            if constexpr (Method == 3) {
                v = (a + b) >> 1;
            } else if constexpr (Method == 4) {
                const int estimate = a + b - c;
                const int da = std::abs(estimate - a), db = std::abs(estimate - b),
                          dc = std::abs(estimate - c);
                v = da <= db && da <= dc ? a : db <= dc ? b : c;
            } else {
                v = a + b - c;
                v = v < 0 ? 0 : v > 255 ? 255 : v;
            }
            p |= static_cast<std::uint32_t>(v) << shift;
        }
        return p;
    }
}

// Calls emit(x, prediction) for every pixel of the row span, left to right;
// `row` must already hold decoded pixels left of x when decoding.
template <int Method, typename Emit>
void WalkRow(const Color32* row, const Color32* above, std::int32_t x0, std::int32_t x1,
             Emit emit) {
    for (std::int32_t x = x0; x < x1; ++x) {
        std::uint32_t p;
        if (Method == 0 || (x == 0 && !above))
            p = 0;
        else if (!above)
            p = row[x - 1] & kRgbMask;
        else if (x == 0)
            p = above[0] & kRgbMask;
        else
            p = PredictInner<Method>(row[x - 1], above[x], above[x - 1]);
        emit(x, p);
    }
}

template <int Method>
void EncodeRowWith(const PixelArray& pixels, std::int32_t y, std::int32_t x0, std::int32_t x1,
                   std::uint8_t* out) {
    const Color32* row = pixels.row(y);
    const Color32* above = y > 0 ? pixels.row(y - 1) : nullptr;
    WalkRow<Method>(row, above, x0, x1, [&](std::int32_t x, std::uint32_t p) {
        const std::uint32_t c = row[x];
        *out++ = static_cast<std::uint8_t>(Channel(c, 16) - Channel(p, 16));
        *out++ = static_cast<std::uint8_t>(Channel(c, 8) - Channel(p, 8));
        *out++ = static_cast<std::uint8_t>(Channel(c, 0) - Channel(p, 0));
    });
}

template <int Method>
void DecodeRowWith(PixelArray& pixels, std::int32_t y, std::int32_t x0, std::int32_t x1,
                   const std::uint8_t* in) {
    Color32* row = pixels.row(y);
    const Color32* above = y > 0 ? pixels.row(y - 1) : nullptr;
    WalkRow<Method>(row, above, x0, x1, [&](std::int32_t x, std::uint32_t p) {
        const std::uint32_t r = (Channel(p, 16) + in[0]) & 0xFFu;
        const std::uint32_t g = (Channel(p, 8) + in[1]) & 0xFFu;
        const std::uint32_t b = (Channel(p, 0) + in[2]) & 0xFFu;
        in += 3;
        row[x] = (row[x] & ~kRgbMask) | r << 16 | g << 8 | b;
    });
}

} // namespace

void Predictor::encodeRow(const PixelArray& pixels, std::int32_t y, std::int32_t x0,
                          std::int32_t x1, std::uint8_t* out) const {
    switch (m_method) {
    case 0:
        EncodeRowWith<0>(pixels, y, x0, x1, out);
        break;
    case 1:
        EncodeRowWith<1>(pixels, y, x0, x1, out);
        break;
    case 2:
        EncodeRowWith<2>(pixels, y, x0, x1, out);
        break;
    case 3:
        EncodeRowWith<3>(pixels, y, x0, x1, out);
        break;
    case 4:
        EncodeRowWith<4>(pixels, y, x0, x1, out);
        break;
    default:
        EncodeRowWith<5>(pixels, y, x0, x1, out);
        break;
    }
}

void Predictor::decodeRow(PixelArray& pixels, std::int32_t y, std::int32_t x0, std::int32_t x1,
                          const std::uint8_t* in) const {
    switch (m_method) {
    case 0:
        DecodeRowWith<0>(pixels, y, x0, x1, in);
        break;
    case 1:
        DecodeRowWith<1>(pixels, y, x0, x1, in);
        break;
    case 2:
        DecodeRowWith<2>(pixels, y, x0, x1, in);
        break;
    case 3:
        DecodeRowWith<3>(pixels, y, x0, x1, in);
        break;
    case 4:
        DecodeRowWith<4>(pixels, y, x0, x1, in);
        break;
    default:
        DecodeRowWith<5>(pixels, y, x0, x1, in);
        break;
    }
}

} // namespace kv
