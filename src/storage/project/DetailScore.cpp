#include "storage/project/DetailScore.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace kv {

double DetailScore(const PixelArray& pixels) {
    const std::int64_t area = std::int64_t{pixels.width()} * pixels.height();
    if (area <= 0 || !pixels.data()) return 0.0;
    const auto byteCount = static_cast<std::size_t>(area) * 4;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pixels.data());
    std::vector<std::uint32_t> pairs(256 * 256, 0);
    for (std::size_t i = 1; i < byteCount; ++i)
        ++pairs[std::size_t{bytes[i - 1]} << 8 | bytes[i]];
    const double total = static_cast<double>(byteCount - 1);
    double h = 0.0;
    for (std::size_t v = 0; v < 256; ++v) {
        const std::uint32_t* row = &pairs[v << 8];
        std::uint64_t starts = 0;
        for (std::size_t b = 0; b < 256; ++b)
            starts += row[b];
        if (starts == 0) continue;
        const double nv = static_cast<double>(starts);
        double inner = 0.0;
        for (std::size_t b = 0; b < 256; ++b) {
            if (row[b] == 0) continue;
            const double p = static_cast<double>(row[b]) / nv;
            inner -= p * std::log2(p);
        }
        h += nv / total * inner;
    }
    return std::sqrt(static_cast<double>(area)) * h;
}

} // namespace kv
