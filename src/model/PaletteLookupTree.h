#pragma once
#include "model/Color32.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

// Nearest-color search over a palette's opaque entries: a binary tree of
// planes, each halfway between two entries near the centre of its subset, so
// a lookup is a short descent of integer plane tests. Coordinates are doubled
// to keep midpoints integral. Entries close to a plane go to both sides; an
// entry crosses only when it is the nearest to its own projection onto the
// plane, which makes the answer the nearest entry for every palette color and
// nearly always otherwise.
class PaletteLookupTree {
  public:
    // Nodes are taken from the pool this many at a time.
    static constexpr std::int32_t kNodesPerBlock = 256;

    // A link to a child: a node index when >= 0, otherwise ~entry index of a
    // leaf. Leaves need no node of their own, which halves the pool.
    using Link = std::int32_t;
    static constexpr Link kNoLink = INT32_MIN;

    struct Node {
        std::int32_t nx = 0, ny = 0, nz = 0; // plane normal
        std::int32_t d = 0;                  // plane offset
        Link left = kNoLink, right = kNoLink;
    };

    PaletteLookupTree() = default;
    PaletteLookupTree(const PaletteLookupTree&) = delete;
    PaletteLookupTree& operator=(const PaletteLookupTree&) = delete;

    // Builds from the entries' colors, given in index order. Entries of alpha
    // 0 only name the transparent index (the last one wins); every other
    // entry counts as opaque, and of equal colors the lowest index is kept.
    // False after the error box when memory runs out; the tree is then empty.
    bool build(const Color32* colors, std::int32_t count, std::int32_t& transparentIndex);
    void clear();

    bool isEmpty() const { return m_root == kNoLink; }
    Link root() const { return m_root; }
    const Node& node(Link link) const { return m_nodes[static_cast<std::size_t>(link)]; }
    std::int32_t nodeCount() const { return static_cast<std::int32_t>(m_nodes.size()); }

    // Entry index for the color's R, G, B, or -1 when there are no opaque
    // entries. Alpha is not looked at.
    std::int32_t find(Color32 color) const {
        Link link = m_root;
        if (link == kNoLink) return -1;
        const std::int32_t r2 = static_cast<std::int32_t>(RedOf(color)) * 2;
        const std::int32_t g2 = static_cast<std::int32_t>(GreenOf(color)) * 2;
        const std::int32_t b2 = static_cast<std::int32_t>(BlueOf(color)) * 2;
        const Node* nodes = m_nodes.data();
        while (link >= 0) {
            const Node& n = nodes[link];
            link = r2 * n.nx + g2 * n.ny + b2 * n.nz + n.d >= 0 ? n.right : n.left;
        }
        return ~link;
    }
    // find() for n colors; several descents run side by side so that their
    // memory waits overlap.
    void findMany(const Color32* colors, std::int32_t n, std::int32_t* indexes) const;

  private:
    struct Item;
    using ItemList = std::vector<Item>;

    Link newNode();
    Link buildNode(ItemList& items);

    std::vector<Node> m_nodes;
    Link m_root = kNoLink;
};

} // namespace kv
