#include "commands/swatches/SwatchSets.h"

namespace kv {

std::vector<Color32> DefaultSwatchSet() {
    static constexpr unsigned kRgb[16][3] = {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
        {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    std::vector<Color32> colors;
    for (const auto& c : kRgb)
        colors.push_back(MakeColor32(c[0], c[1], c[2], 255));
    return colors;
}

std::vector<Color32> WebSafeSwatchSet() {
    std::vector<Color32> colors;
    for (unsigned r = 0; r <= 255; r += 51)
        for (unsigned g = 0; g <= 255; g += 51)
            for (unsigned b = 0; b <= 255; b += 51)
                colors.push_back(MakeColor32(r, g, b, 255));
    return colors;
}

SwatchList& SwatchList::instance() {
    static SwatchList list;
    return list;
}

} // namespace kv
