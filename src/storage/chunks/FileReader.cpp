#include "storage/chunks/FileReader.h"

#include "storage/chunks/FileCompression.h"
#include "storage/chunks/TextCodec.h"
#include "storage/stream/QzInterface.h"

#include <algorithm>
#include <bit>
#include <new>
#include <vector>

namespace kv {

namespace {
// Long strings and skipped record tails are read in pieces of this size, so
// that a corrupt length costs no more memory than the data really there.
constexpr std::size_t kPieceSize = 65536;
} // namespace

FileReader::~FileReader() {
    if (m_handle) QzClose(m_handle);
}

void FileReader::reset() {
    if (m_handle) QzClose(m_handle);
    m_handle = nullptr;
    m_seekPending = false;
    m_errors.reset();
}

bool FileReader::openHandle(QzHandle* handle, const std::string& name) {
    if (!handle) return fail("Cannot open the file");
    m_handle = handle;
    m_fileName = name;
    return true;
}

bool FileReader::open(const std::string& path) {
    if (m_handle && !close()) return false;
    return openHandle(QzOpenForReading(path), path);
}

bool FileReader::openMemory(const void* data, std::size_t size, const std::string& name) {
    if (m_handle && !close()) return false;
    return openHandle(QzOpenMemoryForReading(data, size), name);
}

bool FileReader::close() {
    m_seekPending = false;
    if (!m_handle) return true;
    QzHandle* handle = m_handle;
    m_handle = nullptr;
    if (QzClose(handle) != QzError::None) return fail("Cannot close the file");
    return true;
}

bool FileReader::performPendingSeek() {
    if (!m_seekPending) return true;
    m_seekPending = false;
    if (QzSeek(m_handle, m_pendingPosition) != QzError::None) return fail("Seek failed");
    return true;
}

bool FileReader::seek(std::int64_t position) {
    if (!m_handle) return fail("Cannot seek: there is no open file");
    m_seekPending = false;
    if (QzSeek(m_handle, position) != QzError::None) return fail("Seek failed");
    return true;
}

bool FileReader::read(void* buffer, std::size_t count) {
    if (!m_handle) return fail("Cannot read: there is no open file");
    if (!performPendingSeek()) return false;
    std::size_t transferred = 0;
    if (QzRead(m_handle, buffer, count, &transferred) != QzError::None || transferred != count)
        return fail("Read failed");
    return true;
}

std::int64_t FileReader::tell() {
    if (!m_handle) return 0;
    if (m_seekPending) return m_pendingPosition;
    return QzTell(m_handle);
}

bool FileReader::atEnd() {
    if (!m_handle) return true;
    if (m_seekPending) return m_pendingPosition >= QzSize(m_handle);
    return QzAtEnd(m_handle);
}

bool FileReader::beginDecompression(FileCompression method) {
    if (!m_handle) return fail("Cannot decompress: there is no open file");
    if (method != FileCompression::Lzw && method != FileCompression::Lzrc)
        return fail("Unknown compression method");
    if (!performPendingSeek()) return false;
    if (QzBeginCodec(m_handle, LibraryMethod(method)) != QzError::None)
        return fail("Decompression failed");
    return true;
}

bool FileReader::endDecompression() {
    if (!m_handle) return fail("Cannot decompress: there is no open file");
    if (QzEndCodec(m_handle) != QzError::None) return fail("Decompression failed");
    return true;
}

bool FileReader::readVarUInt(std::uint32_t& value) {
    std::uint32_t result = 0;
    for (unsigned shift = 0;; shift += 7) {
        if (shift >= 32) return fail("Invalid data");
        std::uint8_t byte = 0;
        if (!read(&byte, 1)) return false;
        result |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) break;
    }
    value = result;
    return true;
}

bool FileReader::discard(std::uint64_t count) {
    std::uint8_t scratch[4096];
    while (count > 0) {
        const auto piece = static_cast<std::size_t>(std::min<std::uint64_t>(count, sizeof scratch));
        if (!read(scratch, piece)) return false;
        count -= piece;
    }
    return true;
}

bool FileReader::readRecord(void* structure, std::size_t size) {
    static_assert(std::endian::native == std::endian::little,
                  "records are the little-endian images of their structures");
    std::uint32_t length = 0;
    if (!readVarUInt(length)) return false;
    const std::size_t direct = std::min<std::size_t>(length, size);
    if (direct > 0 && !read(structure, direct)) return false;
    return discard(length - direct);
}

bool FileReader::readString(std::string& text) {
    std::uint32_t length = 0;
    if (!readVarUInt(length)) return false;
    std::vector<std::uint8_t> bytes;
    try {
        for (std::size_t have = 0; have < length;) {
            const std::size_t piece = std::min<std::size_t>(length - have, kPieceSize);
            bytes.resize(have + piece);
            if (!read(bytes.data() + have, piece)) return false;
            have += piece;
        }
    } catch (const std::bad_alloc&) {
        return fail("Insufficient memory");
    }
    const auto units = text::DecodeUnits(bytes.data(), bytes.size());
    if (!units) return fail("Invalid data");
    auto converted = text::Utf16ToUtf8(*units);
    if (!converted) return fail("String conversion error");
    text = std::move(*converted);
    return true;
}

} // namespace kv
