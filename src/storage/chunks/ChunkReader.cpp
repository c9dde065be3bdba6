#include "storage/chunks/ChunkReader.h"

#include "storage/chunks/ChunkHeader.h"

#include <new>

namespace kv {

void ChunkReader::reset() {
    m_chunks.clear();
    FileReader::reset();
}

bool ChunkReader::close() {
    bool ok = true;
    while (!m_chunks.empty())
        ok = endChunk() && ok;
    return FileReader::close() && ok;
}

bool ChunkReader::beginChunk(std::uint32_t& tag) {
    ChunkHeader::Bytes bytes;
    if (!read(bytes.data(), bytes.size())) return false;
    const ChunkHeader header = ChunkHeader::parse(bytes);
    if (header.tag == 0) return fail("Invalid chunk type");
    if (!header.checkMatches()) return fail("Data is corrupted");
    try {
        m_chunks.push_back(OpenChunk{header.tag, tell() + header.length});
    } catch (const std::bad_alloc&) {
        return fail("Insufficient memory");
    }
    tag = header.tag;
    return true;
}

bool ChunkReader::atChunkEnd() {
    return m_chunks.empty() || tell() >= m_chunks.back().end;
}

bool ChunkReader::endChunk() {
    if (m_chunks.empty()) return fail("Invalid data");
    const std::int64_t end = m_chunks.back().end;
    m_chunks.pop_back();
    const std::int64_t position = tell();
    if (position > end) return fail("Invalid data");
    if (position < end) seekLater(end);
    return true;
}

} // namespace kv
