#include "model/ColorOctree.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace kv {

namespace {
constexpr const char* kPoolFailure = "Quantizer data allocation failed";
}

ColorOctree::ColorOctree(std::size_t expectedColors) {
    // A leaf brings at most one node per level, and leaves are bounded.
    constexpr std::size_t kMostNodes = (kMaxLeaves + 1) * kRootLevel + 1;
    try {
        m_nodes.reserve(std::min(kMostNodes, expectedColors * kRootLevel + 1));
        m_shortcut.assign(std::size_t{1} << (3 * kShortcutBits), kNone);
    } catch (const std::bad_alloc&) {
        throw CKVException(kPoolFailure);
    }
    allocate(kRootLevel);
}

ColorOctree::NodeId ColorOctree::allocate(int level) {
    NodeId id = m_free;
    if (id != kNone) {
        m_free = m_nodes[id].next;
        m_nodes[id] = Node{};
    } else {
        try {
            m_nodes.emplace_back();
        } catch (const std::bad_alloc&) {
            throw CKVException(kPoolFailure);
        }
        id = static_cast<NodeId>(m_nodes.size() - 1);
    }
    Node& node = m_nodes[id];
    node.level = static_cast<std::uint8_t>(level);
    if (level == 0) {
        node.state = State::Leaf;
        ++m_leafCount;
    }
    return id;
}

void ColorOctree::insert(unsigned r, unsigned g, unsigned b) {
    const std::uint32_t key = r << 16 | g << 8 | b;
    NodeId id = m_lastLeaf;
    if (key != m_lastKey) {
        constexpr int shift = 8 - kShortcutBits;
        const std::size_t prefix =
            (r >> shift) << (2 * kShortcutBits) | (g >> shift) << kShortcutBits | (b >> shift);
        NodeId& shortcut = m_shortcut[prefix];
        id = shortcut != kNone ? shortcut : 0;
        while (m_nodes[id].state != State::Leaf) {
            const int level = m_nodes[id].level;
            const int bit = level - 1;
            const unsigned index = ((r >> bit) & 1) << 2 | ((g >> bit) & 1) << 1 | ((b >> bit) & 1);
            NodeId childId = m_nodes[id].child[index];
            if (childId == kNone) {
                childId = allocate(bit); // may move m_nodes
                Node& node = m_nodes[id];
                node.child[index] = childId;
                if (++node.children == 1) {
                    node.state = State::OneChild;
                } else if (node.children == 2) {
                    node.state = State::Reducible;
                    node.next = m_reducible[static_cast<std::size_t>(level)];
                    m_reducible[static_cast<std::size_t>(level)] = id;
                }
            }
            id = childId;
            if (bit == kShortcutLevel) shortcut = id;
        }
    }
    Node& leaf = m_nodes[id];
    ++leaf.count;
    leaf.sumR += r;
    leaf.sumG += g;
    leaf.sumB += b;
    m_lastKey = key;
    m_lastLeaf = id;
    if (m_leafCount > kMaxLeaves) reduce();
}

void ColorOctree::forgetShortcuts() {
    std::fill(m_shortcut.begin(), m_shortcut.end(), kNone);
}

void ColorOctree::reduce() {
    for (std::size_t level = 1; level < m_reducible.size(); ++level) {
        const NodeId id = m_reducible[level];
        if (id == kNone) continue;
        m_reducible[level] = m_nodes[id].next;
        m_nodes[id].next = kNone;
        const std::int32_t gone = fold(id, id);
        m_nodes[id].state = State::Leaf;
        m_leafCount -= gone - 1;
        m_lastKey = UINT32_MAX; // the cached leaf may have been folded away
        // Shortcut nodes survive folds below their level; higher folds free them.
        if (static_cast<int>(level) > kShortcutLevel) forgetShortcuts();
        return;
    }
}

std::int32_t ColorOctree::fold(NodeId id, NodeId into) {
    std::int32_t leaves = 0;
    for (std::size_t k = 0; k < 8; ++k) {
        const NodeId childId = m_nodes[id].child[k];
        if (childId == kNone) continue;
        Node& child = m_nodes[childId];
        if (child.state == State::Leaf) {
            Node& target = m_nodes[into];
            target.count += child.count;
            target.sumR += child.sumR;
            target.sumG += child.sumG;
            target.sumB += child.sumB;
            ++leaves;
        } else {
            leaves += fold(childId, into);
        }
        m_nodes[childId].next = m_free;
        m_free = childId;
        m_nodes[id].child[k] = kNone;
    }
    m_nodes[id].children = 0;
    return leaves;
}

void ColorOctree::collect(std::vector<WeightedColor>& out) const {
    collect(0, out);
}

void ColorOctree::collect(NodeId id, std::vector<WeightedColor>& out) const {
    const Node& node = m_nodes[id];
    if (node.state == State::Leaf) {
        if (node.count == 0) return;
        const double inverse = 1.0 / node.count;
        auto mean = [inverse](std::uint64_t sum) {
            return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(sum) * inverse));
        };
        out.push_back({node.count, mean(node.sumR), mean(node.sumG), mean(node.sumB)});
        return;
    }
    for (NodeId child : node.child)
        if (child != kNone) collect(child, out);
}

} // namespace kv
