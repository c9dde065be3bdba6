#include "model/Palette.h"

#include <array>

namespace kv {

void Palette::setCount(std::int32_t n) {
    if (n == m_count)
        return;
    std::int32_t c = capacity();
    while (c < n)
        c = c < 1 ? 1 : 2 * c;
    while ((c + 3) / 4 > n)
        c /= 2;
    if (c != capacity())
        m_entries.assign(static_cast<std::size_t>(c), PaletteEntry{});
    for (std::int32_t i = 0; i < c; ++i)
        m_entries[static_cast<std::size_t>(i)].index = i;
    m_count = n;
}

void Palette::setStandard(StandardPalette which) {
    static constexpr std::array<std::array<std::uint8_t, 3>, 16> k16 = {{
        {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0},
        {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    }};
    static constexpr std::array<std::array<std::uint8_t, 3>, 2> kMono = {{{0, 0, 0}, {255, 255, 255}}};
    auto apply = [this](const auto& colors) {
        setCount(static_cast<std::int32_t>(colors.size()));
        for (std::size_t i = 0; i < colors.size(); ++i) {
            PaletteEntry& e = m_entries[i];
            e.a = 255;
            e.r = colors[i][0];
            e.g = colors[i][1];
            e.b = colors[i][2];
        }
    };
    if (which == StandardPalette::BlackAndWhite)
        apply(kMono);
    else
        apply(k16);
}

} // namespace kv
