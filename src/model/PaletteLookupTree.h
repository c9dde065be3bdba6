#pragma once
#include "model/Color32.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

// Nearest-color search over a palette's opaque entries: a binary tree of
// planes, each halfway between two entries near the centre of its subset, so
// a lookup is a short descent of integer plane tests. Coordinates are doubled
// to keep midpoints integral. Entries close to a plane go to both sides.
class PaletteLookupTree {
public:
    static constexpr std::int32_t kNodesPerBlock = 256;

    struct Node {
        std::int32_t leaf = -1; // entry index at a leaf, -1 inside the tree
        std::int32_t nx = 0, ny = 0, nz = 0;
        std::int32_t d = 0;
        const Node* left = nullptr;
        const Node* right = nullptr;
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

    bool isEmpty() const { return m_root == nullptr; }
    const Node* root() const { return m_root; }
    std::int32_t nodeCount() const { return m_used; }

    // Entry index for the color's R, G, B, or -1 when there are no opaque
    // entries. Alpha is not looked at.
    std::int32_t find(Color32 color) const {
        const Node* n = m_root;
        if (!n)
            return -1;
        const std::int32_t r2 = static_cast<std::int32_t>(RedOf(color)) * 2;
        const std::int32_t g2 = static_cast<std::int32_t>(GreenOf(color)) * 2;
        const std::int32_t b2 = static_cast<std::int32_t>(BlueOf(color)) * 2;
        while (n->leaf < 0) {
            const std::int32_t v = r2 * n->nx + g2 * n->ny + b2 * n->nz + n->d;
            n = v >= 0 ? n->right : n->left;
        }
        return n->leaf;
    }

private:
    struct Item;
    using ItemList = std::vector<Item>;

    Node* newNode();
    const Node* buildNode(ItemList& items);

    std::vector<std::unique_ptr<Node[]>> m_blocks;
    std::int32_t m_used = 0; // nodes handed out, over all blocks
    const Node* m_root = nullptr;
};

} // namespace kv
