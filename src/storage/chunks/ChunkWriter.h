#pragma once
#include "storage/chunks/FileWriter.h"

#include <vector>

namespace kv {

// Writes a tree of chunks. A chunk's header is written as a placeholder
// when it begins and completed (length and check) when it ends; no chunk
// may begin or end while compression is active.
class ChunkWriter : public FileWriter {
  public:
    ~ChunkWriter() override = default;

    void reset() override;
    // Completes every open chunk, then closes.
    bool close() override;

    bool beginChunk(std::uint32_t tag);
    bool endChunk();

    std::size_t depth() const { return m_chunks.size(); }

  private:
    struct OpenChunk {
        std::uint32_t tag;
        std::int64_t header; // position of the header
    };
    bool completeHeader(const OpenChunk& chunk);

    std::vector<OpenChunk> m_chunks;
};

} // namespace kv
