#include "storage/chunks/FileWriter.h"

#include "platform/PosixFile.h"
#include "storage/chunks/FileCompression.h"
#include "storage/chunks/TextCodec.h"
#include "storage/stream/QzInterface.h"

#include <bit>
#include <new>

namespace kv {

FileWriter::~FileWriter() {
    if (m_handle) QzClose(m_handle);
}

void FileWriter::reset() {
    if (m_handle) QzClose(m_handle);
    m_handle = nullptr;
    m_errors.reset();
}

bool FileWriter::open(const std::string& path) {
    if (m_handle && !close()) return false;
    m_handle = QzOpenForWriting(path);
    if (!m_handle)
        return fail(IsWriteProtectedFile(path) ? "The file is write-protected"
                                               : "Cannot create the file");
    m_fileName = path;
    return true;
}

bool FileWriter::openMemory(std::vector<std::uint8_t>& sink, const std::string& name) {
    if (m_handle && !close()) return false;
    m_handle = QzOpenMemoryForWriting(sink);
    if (!m_handle) return fail("Cannot create the file");
    m_fileName = name;
    return true;
}

bool FileWriter::close() {
    if (!m_handle) return true;
    QzHandle* handle = m_handle;
    m_handle = nullptr;
    if (QzClose(handle) != QzError::None) return fail("Cannot close the file");
    return true;
}

bool FileWriter::seek(std::int64_t position) {
    if (!m_handle) return fail("Cannot seek: there is no open file");
    if (QzSeek(m_handle, position) != QzError::None) return fail("Seek failed");
    return true;
}

bool FileWriter::write(const void* buffer, std::size_t count) {
    if (!m_handle) return fail("Cannot write: there is no open file");
    std::size_t transferred = 0;
    if (QzWrite(m_handle, buffer, count, &transferred) != QzError::None || transferred != count)
        return fail("Write failed (the disk is full?)");
    return true;
}

std::int64_t FileWriter::tell() {
    return m_handle ? QzTell(m_handle) : 0;
}

bool FileWriter::beginCompression(FileCompression method) {
    if (!m_handle) return fail("Cannot compress: there is no open file");
    if (method != FileCompression::Lzw && method != FileCompression::Lzrc)
        return fail("Unknown compression method");
    if (QzBeginCodec(m_handle, LibraryMethod(method)) != QzError::None)
        return fail("Compression failed");
    return true;
}

bool FileWriter::endCompression() {
    if (!m_handle) return fail("Cannot compress: there is no open file");
    if (QzEndCodec(m_handle) != QzError::None) return fail("Compression failed");
    return true;
}

bool FileWriter::writeVarUInt(std::uint32_t value) {
    std::uint8_t bytes[5];
    std::size_t count = 0;
    do {
        bytes[count] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
        if (value != 0) bytes[count] |= 0x80;
        ++count;
    } while (value != 0);
    return write(bytes, count);
}

bool FileWriter::writeRecord(const void* structure, std::size_t size) {
    static_assert(std::endian::native == std::endian::little,
                  "records are the little-endian images of their structures");
    if (!writeVarUInt(static_cast<std::uint32_t>(size))) return false;
    return size == 0 || write(structure, size);
}

bool FileWriter::writeString(const std::string& text) {
    const auto units = text::Utf8ToUtf16(text);
    if (!units) return fail("Invalid string");
    std::string bytes;
    try {
        bytes = text::EncodeUnits(*units);
    } catch (const std::bad_alloc&) {
        return fail("Insufficient memory");
    }
    if (!writeVarUInt(static_cast<std::uint32_t>(bytes.size()))) return false;
    return bytes.empty() || write(bytes.data(), bytes.size());
}

} // namespace kv
