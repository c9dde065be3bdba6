#include "PngExport.h"

#include "Dib.h"

#include <algorithm>

namespace kvf {
namespace {

bool Transparent(const Raster& rgba, std::int32_t x, std::int32_t y, std::uint8_t threshold) {
    return rgba.row(y)[4 * x + 3] < threshold;
}

std::uint32_t ColorAt(const std::uint8_t* bgr) {
    return std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
}

// An index no visible pixel uses for the transparent ones; -1 when every
// index is taken.
int TransparentIndex(Raster& indexed, const Raster& rgba) {
    for (std::size_t i = 0; i < indexed.palette.size(); ++i)
        if (indexed.palette[i].a == 0) return int(i);
    const std::size_t capacity = std::size_t{1} << indexed.bits();
    if (indexed.palette.size() < capacity) {
        indexed.palette.push_back(Color{0, 0, 0, 0});
        return int(indexed.palette.size() - 1);
    }
    std::vector<bool> used(capacity, false);
    for (std::int32_t y = 0; y < indexed.height(); ++y)
        for (std::int32_t x = 0; x < indexed.width(); ++x)
            if (!Transparent(rgba, x, y, 128)) used[indexed.index(x, y)] = true;
    const auto free = std::find(used.begin(), used.end(), false);
    if (free == used.end()) return -1;
    const int index = int(free - used.begin());
    indexed.palette[std::size_t(index)] = Color{0, 0, 0, 0};
    return index;
}

bool HasTransparent(const Raster& rgba, std::uint8_t threshold) {
    for (std::int32_t y = 0; y < rgba.height(); ++y)
        for (std::int32_t x = 0; x < rgba.width(); ++x)
            if (Transparent(rgba, x, y, threshold)) return true;
    return false;
}

bool PreparePalette(const ExportPicture& p, PngExport& out) {
    out.raster = p.indexed;
    if (!HasTransparent(p.rgba, 128)) return true;
    const int t = TransparentIndex(out.raster, p.rgba);
    if (t < 0) return false;
    for (std::int32_t y = 0; y < p.height; ++y)
        for (std::int32_t x = 0; x < p.width; ++x)
            if (Transparent(p.rgba, x, y, 128)) out.raster.setIndex(x, y, unsigned(t));
    return true;
}

// The first color, from a few unlikely ones on, that no visible pixel has.
Color UnusedColor(const Raster& rgb, const Raster& rgba) {
    std::vector<std::uint32_t> used;
    for (std::int32_t y = 0; y < rgb.height(); ++y)
        for (std::int32_t x = 0; x < rgb.width(); ++x)
            if (!Transparent(rgba, x, y, 128)) used.push_back(ColorAt(rgb.row(y) + 3 * x));
    std::sort(used.begin(), used.end());
    for (std::uint32_t c = 0xFF00FF;; c = (c + 1) & 0xFFFFFF)
        if (!std::binary_search(used.begin(), used.end(), c))
            return Color{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), 255};
}

void PrepareRgb(const ExportPicture& p, PngExport& out) {
    out.raster = DropAlpha(p.rgba, kExportLimits);
    if (!HasTransparent(p.rgba, 128)) return;
    const Color key = UnusedColor(out.raster, p.rgba);
    for (std::int32_t y = 0; y < p.height; ++y)
        for (std::int32_t x = 0; x < p.width; ++x)
            if (Transparent(p.rgba, x, y, 128)) {
                std::uint8_t* bgr = out.raster.row(y) + 3 * x;
                bgr[0] = key.b;
                bgr[1] = key.g;
                bgr[2] = key.r;
            }
    out.output.transparentColor = key;
}

} // namespace

void PreparePngExport(const ExportPicture& p, PngExport& out) {
    out.output = PngOutput();
    out.output.resolutionX = p.resolutionX;
    out.output.resolutionY = p.resolutionY;
    out.output.image = &out.raster;
    const std::uint32_t bits = p.targetBits();
    if (bits <= 8 && PreparePalette(p, out)) return;
    if (bits == 24)
        PrepareRgb(p, out);
    else
        out.raster = p.rgba;
}

} // namespace kvf
