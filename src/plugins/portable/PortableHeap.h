#pragma once
#include <cstddef>
#include <mutex>
#include <unordered_map>

namespace kv {

enum class PortableBlock { Palette, Image, Pixels, MultiImage, Document, FileType };

// Every block that crosses the plug-in interface comes from here, and the
// heap remembers each live block's kind and size: a structure a plug-in hands
// back is checked against what was really allocated before any of its counts
// is believed, and freeing something twice or freeing foreign memory is
// refused instead of corrupting the process heap. Plug-ins may call from
// their own threads, hence the lock.
class PortableHeap {
  public:
    // Blocks above this are refused as if memory had run out.
    static constexpr std::size_t kMaxBlockSize = std::size_t{1} << 30;

    static PortableHeap& instance();

    // A zero-filled block, or null when the size is 0, above the limit or
    // memory is exhausted.
    void* allocate(PortableBlock kind, std::size_t bytes);
    // False, freeing nothing, for null or anything but a live block of that kind.
    bool release(void* block, PortableBlock kind);
    // The size of a live block of that kind; 0 for anything else.
    std::size_t sizeOf(const void* block, PortableBlock kind) const;
    std::size_t liveBlocks() const;

  private:
    struct Entry {
        PortableBlock kind;
        std::size_t bytes;
    };

    mutable std::mutex m_mutex;
    std::unordered_map<const void*, Entry> m_blocks;
};

} // namespace kv
