#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace kv {

// A weighted color of the octree's list: how many pixels it stands for and
// their mean.
struct WeightedColor {
    std::uint32_t count = 0;
    std::int32_t r = 0, g = 0, b = 0;
};

// Counts RGB colors in an octree whose leaves never exceed kMaxLeaves: when
// one more appears, the deepest recently branched node folds its subtree
// into itself. This bounds the later box splitting whatever the image size.
// Allocation failures throw CKVException("Quantizer data allocation failed").
class ColorOctree {
  public:
    static constexpr std::int32_t kMaxLeaves = 4096;
    static constexpr int kRootLevel = 8;

    // The hint (how many colors will come) sizes the node pool up front.
    explicit ColorOctree(std::size_t expectedColors = 0);

    void insert(unsigned r, unsigned g, unsigned b);
    std::int32_t leafCount() const { return m_leafCount; }
    // The leaves depth first, children in index order, each as its pixel
    // count and its mean color rounded to nearest (ties to even).
    void collect(std::vector<WeightedColor>& out) const;

  private:
    enum class State : std::uint8_t { New, OneChild, Reducible, Leaf };
    using NodeId = std::uint32_t; // 0 is the root, so as a child it means none
    struct Node {
        std::uint64_t sumR = 0, sumG = 0, sumB = 0;
        std::uint32_t count = 0;
        std::uint8_t level = 0;
        State state = State::New;
        std::uint8_t children = 0;
        NodeId next = 0; // reducible list of its level, or the free list
        std::array<NodeId, 8> child{};
    };
    // Descents start at the node of this level that the color's top bits
    // lead to, remembered per prefix, instead of at the root.
    static constexpr int kShortcutLevel = 4;
    static constexpr int kShortcutBits = kRootLevel - kShortcutLevel;
    static constexpr NodeId kNone = 0;

    NodeId allocate(int level);
    void reduce();
    // Adds the leaves below `id` to `into`, frees every node below it and
    // returns how many leaves went.
    std::int32_t fold(NodeId id, NodeId into);
    void collect(NodeId id, std::vector<WeightedColor>& out) const;
    void forgetShortcuts();

    std::vector<Node> m_nodes;
    NodeId m_free = kNone;
    std::array<NodeId, kRootLevel + 1> m_reducible{};
    std::int32_t m_leafCount = 0;
    std::vector<NodeId> m_shortcut; // by the top kShortcutBits of R, G, B
    // The leaf the previous color ended in; runs of one color skip the descent.
    std::uint32_t m_lastKey = UINT32_MAX;
    NodeId m_lastLeaf = kNone;
};

} // namespace kv
