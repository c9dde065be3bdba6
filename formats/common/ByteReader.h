#pragma once
// Little-endian fields read out of a file held in memory. Every read checks
// the range first, so a damaged size or offset can only end in a FormatError.
#include "FormatError.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kvf {

using Bytes = std::span<const std::uint8_t>;

class ByteReader {
  public:
    explicit ByteReader(Bytes bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }
    bool holds(std::size_t offset, std::size_t count) const {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    // The bytes at [offset, offset + count); fails when the file is shorter.
    Bytes range(std::size_t offset, std::size_t count) const {
        if (!holds(offset, count)) Fail(kTruncated);
        return m_bytes.subspan(offset, count);
    }
    // Everything from offset on (empty at the end).
    Bytes from(std::size_t offset) const {
        if (offset > m_bytes.size()) Fail(kTruncated);
        return m_bytes.subspan(offset);
    }
    std::uint8_t u8(std::size_t offset) const { return range(offset, 1)[0]; }
    std::uint16_t u16(std::size_t offset) const {
        const Bytes b = range(offset, 2);
        return static_cast<std::uint16_t>(b[0] | b[1] << 8);
    }
    std::uint32_t u32(std::size_t offset) const {
        const Bytes b = range(offset, 4);
        return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
               std::uint32_t{b[3]} << 24;
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

  private:
    Bytes m_bytes;
};

// Appends little-endian fields to a growing file.
class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void u8(std::uint32_t v) { m_out.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v);
        u16(v >> 16);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void bytes(Bytes b) { m_out.insert(m_out.end(), b.begin(), b.end()); }
    void zeros(std::size_t n) { m_out.insert(m_out.end(), n, 0); }
    std::size_t size() const { return m_out.size(); }

  private:
    std::vector<std::uint8_t>& m_out;
};

} // namespace kvf
