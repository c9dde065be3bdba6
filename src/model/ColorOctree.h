#pragma once
#include <array>
#include <cstdint>
#include <memory>
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

    ColorOctree();
    ~ColorOctree();
    ColorOctree(const ColorOctree&) = delete;
    ColorOctree& operator=(const ColorOctree&) = delete;

    void insert(unsigned r, unsigned g, unsigned b);
    std::int32_t leafCount() const { return m_leafCount; }
    // The leaves depth first, children in index order, each as its pixel
    // count and its mean color rounded to nearest (ties to even).
    void collect(std::vector<WeightedColor>& out) const;

private:
    enum class State : std::uint8_t { New, OneChild, Reducible, Leaf };
    struct Node {
        std::uint64_t sumR = 0, sumG = 0, sumB = 0;
        std::uint32_t count = 0;
        std::int32_t level = 0;
        State state = State::New;
        std::uint8_t children = 0;
        std::array<Node*, 8> child{};
        Node* next = nullptr; // reducible list of its level, or the free list
    };
    static constexpr std::size_t kBlockNodes = 1024;

    Node* allocate(int level);
    void release(Node* node);
    void reduce();
    // Adds the leaves below `node` to `into` and frees every node below it;
    // returns how many leaves went.
    std::int32_t fold(Node* node, Node& into);
    void collect(const Node* node, std::vector<WeightedColor>& out) const;

    std::vector<std::unique_ptr<Node[]>> m_blocks;
    std::size_t m_blockUsed = kBlockNodes;
    Node* m_free = nullptr;
    Node* m_root = nullptr;
    std::array<Node*, kRootLevel + 1> m_reducible{};
    std::int32_t m_leafCount = 0;
    // The leaf the previous color ended in; runs of one color skip the descent.
    std::uint32_t m_lastKey = UINT32_MAX;
    Node* m_lastLeaf = nullptr;
};

} // namespace kv
