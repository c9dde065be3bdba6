#include "storage/chunks/ChunkHeader.h"

#include "storage/chunks/Crc16.h"

namespace kv {

namespace {
void PutTagAndLength(std::uint8_t* out, std::uint32_t tag, std::uint32_t length) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(tag >> (24 - 8 * i));
        out[4 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
}
} // namespace

ChunkHeader ChunkHeader::make(std::uint32_t tag, std::uint32_t length) {
    ChunkHeader header{tag, length, 0};
    header.check = header.expectedCheck();
    return header;
}

ChunkHeader ChunkHeader::parse(const Bytes& b) {
    ChunkHeader header;
    for (int i = 0; i < 4; ++i) {
        header.tag = header.tag << 8 | b[i];
        header.length |= static_cast<std::uint32_t>(b[4 + i]) << (8 * i);
    }
    header.check = static_cast<std::uint16_t>(b[8] | b[9] << 8);
    return header;
}

ChunkHeader::Bytes ChunkHeader::serialize() const {
    Bytes bytes{};
    PutTagAndLength(bytes.data(), tag, length);
    bytes[8] = static_cast<std::uint8_t>(check);
    bytes[9] = static_cast<std::uint8_t>(check >> 8);
    return bytes;
}

std::uint16_t ChunkHeader::expectedCheck() const {
    std::uint8_t first[8];
    PutTagAndLength(first, tag, length);
    return Crc16Arc(first, sizeof first);
}

} // namespace kv
