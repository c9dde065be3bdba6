#include "storage/chunks/ChunkWriter.h"

#include "storage/chunks/ChunkHeader.h"

#include <new>

namespace kv {

void ChunkWriter::reset() {
    m_chunks.clear();
    FileWriter::reset();
}

bool ChunkWriter::close() {
    bool ok = true;
    while (!m_chunks.empty())
        ok = endChunk() && ok;
    return FileWriter::close() && ok;
}

bool ChunkWriter::beginChunk(std::uint32_t tag) {
    try {
        m_chunks.push_back(OpenChunk{tag, tell()});
    } catch (const std::bad_alloc&) {
        return fail("Insufficient memory");
    }
    // The tag now; length and check are filled in when the chunk ends.
    auto placeholder = ChunkHeader{tag, 0, 0}.serialize();
    return write(placeholder.data(), placeholder.size());
}

bool ChunkWriter::completeHeader(const OpenChunk& chunk) {
    const std::int64_t end = tell();
    const std::int64_t length = end - chunk.header - static_cast<std::int64_t>(ChunkHeader::kSize);
    if (length < 0 || length > 0xFFFFFFFFll) return fail("Invalid data");
    const auto bytes = ChunkHeader::make(chunk.tag, static_cast<std::uint32_t>(length)).serialize();
    bool ok = seek(chunk.header);
    ok = ok && write(bytes.data(), bytes.size());
    return seek(end) && ok;
}

bool ChunkWriter::endChunk() {
    if (m_chunks.empty()) return fail("Invalid data");
    const OpenChunk chunk = m_chunks.back();
    // Popped first, so that a failing step (which may throw) leaves the
    // stack consistent.
    m_chunks.pop_back();
    return completeHeader(chunk);
}

} // namespace kv
