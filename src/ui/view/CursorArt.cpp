#include "ui/view/CursorArt.h"

namespace kv {
namespace {

// The pipette, its tip at the bottom left.
const CursorArt kPipette{{
                             "            ### ",
                             "           #####",
                             "         # #####",
                             "        ########",
                             "         ###### ",
                             "        #.####  ",
                             "       #...#    ",
                             "      #...#     ",
                             "     #...#      ",
                             "    #...#       ",
                             "   #...#        ",
                             "  #...#         ",
                             "  #..#          ",
                             " #.##           ",
                             " ##             ",
                             "                ",
                         },
                         1,
                         14};

// Four black arms around the hot spot, leaving [gapLow, gapHigh) free along
// both axes, then a white halo around the black so that it shows on any
// picture.
CursorArt Cross(int size, int hot, int gapLow, int gapHigh) {
    CursorArt art{std::vector<std::string>(static_cast<std::size_t>(size),
                                           std::string(static_cast<std::size_t>(size), ' ')),
                  hot, hot};
    const auto at = [&](int x, int y) -> char& {
        return art.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
    };
    for (int i = 1; i < size - 1; ++i) {
        if (i >= gapLow && i < gapHigh) continue;
        at(i, hot) = '#';
        at(hot, i) = '#';
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (at(x, y) != ' ') continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < size && ny < size && at(nx, ny) == '#')
                        at(x, y) = '.';
                }
        }
    return art;
}

} // namespace

bool HasCursorArt(CursorRole role) {
    switch (role) {
    case CursorRole::ColorPicking:
    case CursorRole::PreciseCross:
    case CursorRole::SmallTipOdd:
    case CursorRole::SmallTipEven:
        return true;
    default:
        return false;
    }
}

CursorArt ArtFor(CursorRole role) {
    switch (role) {
    case CursorRole::ColorPicking:
        return kPipette;
    case CursorRole::PreciseCross:
        return Cross(19, 9, 7, 12);
    // Small tips: the arms stay clear of an outline up to 8 screen pixels
    // wide, centred on a pixel (odd widths) or on a pixel corner (even).
    case CursorRole::SmallTipOdd:
        return Cross(21, 10, 5, 16);
    case CursorRole::SmallTipEven:
        return Cross(22, 11, 5, 17);
    default:
        return {};
    }
}

} // namespace kv
