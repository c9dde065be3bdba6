#include "model/PaletteOrdering.h"

#include "model/ColorSpaces.h"
#include "platform/ErrorReporter.h"

#include <cmath>
#include <cstdint>
#include <new>

namespace kv {

namespace {

struct Lab {
    float l, a, b;
};

float Distance(const Lab& p, const Lab& q) {
    const float dl = p.l - q.l, da = p.a - q.a, db = p.b - q.b;
    return std::sqrt(dl * dl + da * da + db * db);
}

Lab ToLab(Color32 c) {
    ColorSpaceValue v;
    v.r = ByteToUnit(RedOf(c));
    v.g = ByteToUnit(GreenOf(c));
    v.b = ByteToUnit(BlueOf(c));
    RgbToLab(v);
    return {v.c1, v.c2, v.c3};
}

struct Waiting {
    Color32 color;
    Lab lab;
    float distance; // to the nearest point already on the path
    bool placed;
};

void Order(std::vector<Color32>& colors) {
    std::vector<Waiting> waiting;
    std::vector<Color32> asideColors;
    waiting.reserve(colors.size());
    const Lab black{0, 0, 0}, white{100, 0, 0};
    for (Color32 c : colors) {
        if (AlphaOf(c) != 255) {
            asideColors.push_back(c);
            continue;
        }
        const Lab lab = ToLab(c);
        waiting.push_back({c, lab, std::fmin(Distance(lab, black), Distance(lab, white)), false});
    }

    // The path holds indexes into `waiting`; -1 is black and -2 white.
    std::vector<std::int32_t> path;
    path.reserve(waiting.size() + 2);
    path.push_back(-1);
    path.push_back(-2);
    auto labOf = [&](std::int32_t i) {
        return i == -1 ? black : i == -2 ? white : waiting[static_cast<std::size_t>(i)].lab;
    };

    for (std::size_t round = 0; round < waiting.size(); ++round) {
        std::size_t pick = SIZE_MAX;
        for (std::size_t i = 0; i < waiting.size(); ++i)
            if (!waiting[i].placed &&
                (pick == SIZE_MAX || waiting[i].distance > waiting[pick].distance))
                pick = i;
        Waiting& e = waiting[pick];
        e.placed = true;

        std::size_t edge = 0;
        float best = 0;
        Lab p = labOf(path[0]);
        for (std::size_t j = 0; j + 1 < path.size(); ++j) {
            const Lab q = labOf(path[j + 1]);
            const float cost = Distance(p, e.lab) + Distance(e.lab, q) - Distance(p, q);
            if (j == 0 || cost < best) {
                best = cost;
                edge = j;
            }
            p = q;
        }
        path.insert(path.begin() + static_cast<std::ptrdiff_t>(edge + 1),
                    static_cast<std::int32_t>(pick));

        for (Waiting& other : waiting)
            if (!other.placed)
                other.distance = std::fmin(other.distance, Distance(other.lab, e.lab));
    }

    std::size_t out = 0;
    for (std::int32_t i : path)
        if (i >= 0) colors[out++] = waiting[static_cast<std::size_t>(i)].color;
    for (Color32 c : asideColors)
        colors[out++] = c;
}

} // namespace

bool OrderPaletteColors(std::vector<Color32>& colors) {
    try {
        std::vector<Color32> work = colors;
        Order(work);
        colors.swap(work);
        return true;
    } catch (const std::bad_alloc&) {
        ReportError("Palette ordering failed");
        return false;
    }
}

} // namespace kv
