#pragma once
#include <array>
#include <cstdint>

namespace kv {

// Builds a tag from its four characters in reading order: ChunkTag("IMAG").
constexpr std::uint32_t ChunkTag(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[3]));
}

// The 10 bytes in front of every chunk body: tag (characters in reading
// order), body length (little-endian) and a CRC-16/ARC of those 8 bytes.
struct ChunkHeader {
    static constexpr std::size_t kSize = 10;
    using Bytes = std::array<std::uint8_t, kSize>;

    std::uint32_t tag = 0;
    std::uint32_t length = 0;
    std::uint16_t check = 0;

    static ChunkHeader make(std::uint32_t tag, std::uint32_t length);
    static ChunkHeader parse(const Bytes& bytes);
    Bytes serialize() const;
    // The check the first 8 bytes call for.
    std::uint16_t expectedCheck() const;
    bool checkMatches() const { return check == expectedCheck(); }
};

} // namespace kv
