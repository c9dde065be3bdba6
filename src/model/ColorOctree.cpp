#include "model/ColorOctree.h"

#include "platform/Exceptions.h"

#include <cmath>
#include <new>

namespace kv {

namespace {
constexpr const char* kPoolFailure = "Quantizer data allocation failed";
}

ColorOctree::ColorOctree() { m_root = allocate(kRootLevel); }

ColorOctree::~ColorOctree() = default;

ColorOctree::Node* ColorOctree::allocate(int level) {
    Node* node = m_free;
    if (node) {
        m_free = node->next;
        *node = Node{};
    } else {
        if (m_blockUsed == kBlockNodes) {
            std::unique_ptr<Node[]> block(new (std::nothrow) Node[kBlockNodes]);
            if (!block)
                throw CKVException(kPoolFailure);
            try {
                m_blocks.push_back(std::move(block));
            } catch (const std::bad_alloc&) {
                throw CKVException(kPoolFailure);
            }
            m_blockUsed = 0;
        }
        node = &m_blocks.back()[m_blockUsed++];
    }
    node->level = level;
    if (level == 0) {
        node->state = State::Leaf;
        ++m_leafCount;
    }
    return node;
}

void ColorOctree::release(Node* node) {
    node->next = m_free;
    m_free = node;
}

void ColorOctree::insert(unsigned r, unsigned g, unsigned b) {
    const std::uint32_t key = r << 16 | g << 8 | b;
    Node* node = key == m_lastKey ? m_lastLeaf : m_root;
    while (node->state != State::Leaf) {
        const int bit = node->level - 1;
        const unsigned index = ((r >> bit) & 1) << 2 | ((g >> bit) & 1) << 1 | ((b >> bit) & 1);
        Node*& slot = node->child[index];
        if (!slot) {
            slot = allocate(bit);
            if (++node->children == 1) {
                node->state = State::OneChild;
            } else if (node->children == 2) {
                node->state = State::Reducible;
                node->next = m_reducible[static_cast<std::size_t>(node->level)];
                m_reducible[static_cast<std::size_t>(node->level)] = node;
            }
        }
        node = slot;
    }
    ++node->count;
    node->sumR += r;
    node->sumG += g;
    node->sumB += b;
    m_lastKey = key;
    m_lastLeaf = node;
    if (m_leafCount > kMaxLeaves)
        reduce();
}

void ColorOctree::reduce() {
    for (std::size_t level = 1; level < m_reducible.size(); ++level) {
        Node* node = m_reducible[level];
        if (!node)
            continue;
        m_reducible[level] = node->next;
        node->next = nullptr;
        const std::int32_t gone = fold(node, *node);
        node->state = State::Leaf;
        m_leafCount -= gone - 1;
        m_lastKey = UINT32_MAX; // the cached leaf may have been folded away
        m_lastLeaf = nullptr;
        return;
    }
}

std::int32_t ColorOctree::fold(Node* node, Node& into) {
    std::int32_t leaves = 0;
    for (Node*& child : node->child) {
        if (!child)
            continue;
        if (child->state == State::Leaf) {
            into.count += child->count;
            into.sumR += child->sumR;
            into.sumG += child->sumG;
            into.sumB += child->sumB;
            ++leaves;
        } else {
            leaves += fold(child, into);
        }
        release(child);
        child = nullptr;
    }
    node->children = 0;
    return leaves;
}

void ColorOctree::collect(std::vector<WeightedColor>& out) const { collect(m_root, out); }

void ColorOctree::collect(const Node* node, std::vector<WeightedColor>& out) const {
    if (node->state == State::Leaf) {
        if (node->count == 0)
            return;
        const double inverse = 1.0 / node->count;
        auto mean = [inverse](std::uint64_t sum) {
            return static_cast<std::int32_t>(std::nearbyint(static_cast<double>(sum) * inverse));
        };
        out.push_back({node->count, mean(node->sumR), mean(node->sumG), mean(node->sumB)});
        return;
    }
    for (const Node* child : node->child)
        if (child)
            collect(child, out);
}

} // namespace kv
