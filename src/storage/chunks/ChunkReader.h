#pragma once
#include "storage/chunks/FileReader.h"

#include <vector>

namespace kv {

// Reads a tree of chunks. Ending a chunk whose body was not read to its
// end only records a seek, so skipping unknown chunks costs nothing until
// the next read.
class ChunkReader : public FileReader {
  public:
    ~ChunkReader() override = default;

    void reset() override;
    // Ends every open chunk, then closes.
    bool close() override;

    bool beginChunk(std::uint32_t& tag);
    bool atChunkEnd();
    bool endChunk();

    std::size_t depth() const { return m_chunks.size(); }

  private:
    struct OpenChunk {
        std::uint32_t tag;
        std::int64_t end; // position just after the body
    };
    std::vector<OpenChunk> m_chunks;
};

} // namespace kv
