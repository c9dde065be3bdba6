#include "model/PaletteLookupTree.h"

#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace kv {

namespace {

constexpr const char* kNodeFailure = "Palette mapping data allocation failed";
constexpr const char* kListFailure = "Temporary palette data allocation failed";

std::int64_t Square(std::int64_t v) {
    return v * v;
}

// num / den rounded to nearest, ties to even; 0 < den < 2^18 and |num| <
// 2^40. A quotient that is not a tie lies at least 1 / (2 den) from one,
// far beyond the error of a double division, and a tie is exact in double.
std::int64_t DivideRoundHalfEven(std::int64_t num, std::int64_t den) {
    return static_cast<std::int64_t>(
        std::nearbyint(static_cast<double>(num) / static_cast<double>(den)));
}

} // namespace

struct PaletteLookupTree::Item {
    std::int32_t index;
    std::int32_t r, g, b;
    std::int32_t s; // signed distance to the current plane, scaled
    std::uint32_t key() const { return static_cast<std::uint32_t>(r << 16 | g << 8 | b); }
};

void PaletteLookupTree::clear() {
    m_nodes.clear();
    m_nodes.shrink_to_fit();
    m_root = kNoLink;
}

PaletteLookupTree::Link PaletteLookupTree::newNode() {
    if (m_nodes.size() == m_nodes.capacity()) {
        try {
            m_nodes.reserve(m_nodes.size() + static_cast<std::size_t>(kNodesPerBlock) +
                            m_nodes.size() / 2);
        } catch (const std::bad_alloc&) {
            throw CKVException(kNodeFailure);
        }
    }
    m_nodes.emplace_back();
    return static_cast<Link>(m_nodes.size() - 1);
}

void PaletteLookupTree::findMany(const Color32* colors, std::int32_t n,
                                 std::int32_t* indexes) const {
    if (m_root == kNoLink) {
        for (std::int32_t i = 0; i < n; ++i)
            indexes[i] = -1;
        return;
    }
    const Node* nodes = m_nodes.data();
    constexpr int kLanes = 4;
    std::int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        Link link[kLanes];
        std::int32_t r2[kLanes], g2[kLanes], b2[kLanes];
        for (int k = 0; k < kLanes; ++k) {
            link[k] = m_root;
            r2[k] = static_cast<std::int32_t>(RedOf(colors[i + k])) * 2;
            g2[k] = static_cast<std::int32_t>(GreenOf(colors[i + k])) * 2;
            b2[k] = static_cast<std::int32_t>(BlueOf(colors[i + k])) * 2;
        }
        for (;;) {
            bool active = false;
            for (int k = 0; k < kLanes; ++k) {
                if (link[k] < 0) continue;
                const Node& nd = nodes[link[k]];
                link[k] =
                    r2[k] * nd.nx + g2[k] * nd.ny + b2[k] * nd.nz + nd.d >= 0 ? nd.right : nd.left;
                active = true;
            }
            if (!active) break;
        }
        for (int k = 0; k < kLanes; ++k)
            indexes[i + k] = ~link[k];
    }
    for (; i < n; ++i)
        indexes[i] = find(colors[i]);
}

bool PaletteLookupTree::build(const Color32* colors, std::int32_t count,
                              std::int32_t& transparentIndex) {
    clear();
    transparentIndex = -1;
    try {
        ItemList items;
        try {
            items.reserve(static_cast<std::size_t>(std::max(count, 0)));
        } catch (const std::bad_alloc&) {
            throw CKVException(kListFailure);
        }
        for (std::int32_t i = 0; i < count; ++i) {
            const Color32 c = colors[i];
            if (AlphaOf(c) == 0)
                transparentIndex = i;
            else
                items.push_back({i, static_cast<std::int32_t>(RedOf(c)),
                                 static_cast<std::int32_t>(GreenOf(c)),
                                 static_cast<std::int32_t>(BlueOf(c)), 0});
        }
        std::stable_sort(items.begin(), items.end(),
                         [](const Item& x, const Item& y) { return x.key() < y.key(); });
        items.erase(std::unique(items.begin(), items.end(),
                                [](const Item& x, const Item& y) { return x.key() == y.key(); }),
                    items.end());
        if (!items.empty()) {
            // Entries near the planes repeat down the tree: about 40 nodes
            // per entry for a full palette of natural colors.
            try {
                m_nodes.reserve(items.size() * 48);
            } catch (const std::bad_alloc&) {
                throw CKVException(kNodeFailure);
            }
            m_root = buildNode(items);
        }
        return true;
    } catch (const CKVException& e) {
        clear();
        ReportError(e.message());
    } catch (const std::bad_alloc&) {
        clear();
        ReportError(kListFailure);
    }
    return false;
}

PaletteLookupTree::Link PaletteLookupTree::buildNode(ItemList& items) {
    const std::int64_t n = static_cast<std::int64_t>(items.size());
    if (n == 1) return ~items.front().index;
    const Link self = newNode();
    Node plane;
    Node* node = &plane; // the pool may move while the children are built

    std::int64_t sumR = 0, sumG = 0, sumB = 0;
    for (const Item& e : items) {
        sumR += e.r;
        sumG += e.g;
        sumB += e.b;
    }
    const std::int64_t cR = 2 * sumR / n, cG = 2 * sumG / n, cB = 2 * sumB / n;

    // The two entries nearest the centroid define the splitting plane.
    const Item* c1 = nullptr;
    const Item* c2 = nullptr;
    std::uint32_t d1 = UINT32_MAX, d2 = UINT32_MAX;
    for (const Item& e : items) {
        const auto dist = static_cast<std::uint32_t>(Square(2 * e.r - cR) + Square(2 * e.g - cG) +
                                                     Square(2 * e.b - cB));
        if (dist < d1) {
            c2 = c1;
            d2 = d1;
            c1 = &e;
            d1 = dist;
        } else if (dist < d2) {
            c2 = &e;
            d2 = dist;
        }
    }
    node->nx = c2->r - c1->r;
    node->ny = c2->g - c1->g;
    node->nz = c2->b - c1->b;
    node->d =
        -(node->nx * (c1->r + c2->r) + node->ny * (c1->g + c2->g) + node->nz * (c1->b + c2->b));

    for (Item& e : items)
        e.s = 2 * e.r * node->nx + 2 * e.g * node->ny + 2 * e.b * node->nz + node->d;
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& x, const Item& y) { return x.s < y.s; });

    const std::int64_t n2 =
        Square(node->nx) + Square(node->ny) + Square(node->nz); // |n|^2 > 0: c1 != c2
    // Whether every item in [from, to) is strictly farther from e's
    // projection onto the plane than e itself: then some point on the plane
    // has e as its nearest among them, and e must be reachable from that side.
    // The scan starts next to e, where a nearer entry is likeliest.
    auto nearestToProjection = [&](const Item& e, std::size_t from, std::size_t to,
                                   bool backwards) {
        const std::int64_t px =
            DivideRoundHalfEven(2 * e.r * n2 - std::int64_t{e.s} * node->nx, n2);
        const std::int64_t py =
            DivideRoundHalfEven(2 * e.g * n2 - std::int64_t{e.s} * node->ny, n2);
        const std::int64_t pz =
            DivideRoundHalfEven(2 * e.b * n2 - std::int64_t{e.s} * node->nz, n2);
        const std::int64_t own = Square(2 * e.r - px) + Square(2 * e.g - py) + Square(2 * e.b - pz);
        for (std::size_t j = from; j < to; ++j) {
            const Item& o = items[backwards ? to - 1 - (j - from) : j];
            if (Square(2 * o.r - px) + Square(2 * o.g - py) + Square(2 * o.b - pz) <= own)
                return false;
        }
        return true;
    };

    ItemList left, right;
    try {
        left.reserve(items.size());
        right.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].s <= 0 || nearestToProjection(items[i], 0, i, true))
                left.push_back(items[i]);
        for (std::size_t i = items.size(); i-- > 0;)
            if (items[i].s >= 0 || nearestToProjection(items[i], i + 1, items.size(), false))
                right.push_back(items[i]);
    } catch (const std::bad_alloc&) {
        throw CKVException(kListFailure);
    }
    items.clear();
    items.shrink_to_fit();
    const Link leftLink = buildNode(left);
    const Link rightLink = buildNode(right);
    plane.left = leftLink;
    plane.right = rightLink;
    m_nodes[static_cast<std::size_t>(self)] = plane;
    return self;
}

} // namespace kv
