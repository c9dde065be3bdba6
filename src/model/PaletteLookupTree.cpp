#include "model/PaletteLookupTree.h"

#include "platform/ErrorReporter.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <new>

namespace kv {

namespace {

constexpr const char* kNodeFailure = "Palette mapping data allocation failed";
constexpr const char* kListFailure = "Temporary palette data allocation failed";

std::int64_t Square(std::int64_t v) { return v * v; }

// num / den rounded to nearest, ties to even; den > 0.
std::int64_t DivideRoundHalfEven(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t rem = num % den;
    if (rem < 0) {
        --q;
        rem += den;
    }
    if (2 * rem > den || (2 * rem == den && (q & 1) != 0))
        ++q;
    return q;
}

} // namespace

struct PaletteLookupTree::Item {
    std::int32_t index;
    std::int32_t r, g, b;
    std::int32_t s; // signed distance to the current plane, scaled
    std::uint32_t key() const { return static_cast<std::uint32_t>(r << 16 | g << 8 | b); }
};

void PaletteLookupTree::clear() {
    m_blocks.clear();
    m_used = 0;
    m_root = nullptr;
}

PaletteLookupTree::Node* PaletteLookupTree::newNode() {
    const std::size_t block = static_cast<std::size_t>(m_used / kNodesPerBlock);
    if (block == m_blocks.size()) {
        std::unique_ptr<Node[]> nodes(new (std::nothrow) Node[kNodesPerBlock]);
        if (!nodes)
            throw CKVException(kNodeFailure);
        try {
            m_blocks.push_back(std::move(nodes));
        } catch (const std::bad_alloc&) {
            throw CKVException(kNodeFailure);
        }
    }
    return &m_blocks[block][static_cast<std::size_t>(m_used++ % kNodesPerBlock)];
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
        if (!items.empty())
            m_root = buildNode(items);
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

const PaletteLookupTree::Node* PaletteLookupTree::buildNode(ItemList& items) {
    Node* node = newNode();
    const std::int64_t n = static_cast<std::int64_t>(items.size());
    if (n == 1) {
        node->leaf = items.front().index;
        return node;
    }

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
    node->d = -(node->nx * (c1->r + c2->r) + node->ny * (c1->g + c2->g) +
                node->nz * (c1->b + c2->b));

    for (Item& e : items)
        e.s = 2 * e.r * node->nx + 2 * e.g * node->ny + 2 * e.b * node->nz + node->d;
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& x, const Item& y) { return x.s < y.s; });

    const std::int64_t n2 =
        Square(node->nx) + Square(node->ny) + Square(node->nz); // |n|^2 > 0: c1 != c2
    // Whether every item in [from, to) is strictly farther from e's
    // projection onto the plane than e itself: then some point on the plane
    // has e as its nearest among them, and e must be reachable from that side.
    auto nearestToProjection = [&](const Item& e, std::size_t from, std::size_t to) {
        const std::int64_t px = DivideRoundHalfEven(2 * e.r * n2 - std::int64_t{e.s} * node->nx, n2);
        const std::int64_t py = DivideRoundHalfEven(2 * e.g * n2 - std::int64_t{e.s} * node->ny, n2);
        const std::int64_t pz = DivideRoundHalfEven(2 * e.b * n2 - std::int64_t{e.s} * node->nz, n2);
        const std::int64_t own = Square(2 * e.r - px) + Square(2 * e.g - py) + Square(2 * e.b - pz);
        for (std::size_t j = from; j < to; ++j) {
            const Item& o = items[j];
            if (Square(2 * o.r - px) + Square(2 * o.g - py) + Square(2 * o.b - pz) <= own)
                return false;
        }
        return true;
    };

    ItemList left, right;
    try {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].s <= 0 || nearestToProjection(items[i], 0, i))
                left.push_back(items[i]);
        for (std::size_t i = items.size(); i-- > 0;)
            if (items[i].s >= 0 || nearestToProjection(items[i], i + 1, items.size()))
                right.push_back(items[i]);
    } catch (const std::bad_alloc&) {
        throw CKVException(kListFailure);
    }
    items.clear();
    items.shrink_to_fit();
    node->left = buildNode(left);
    node->right = buildNode(right);
    return node;
}

} // namespace kv
