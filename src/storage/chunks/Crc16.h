#pragma once
#include <cstddef>
#include <cstdint>

namespace kv {

// CRC-16/ARC: reflected polynomial 0xA001, initial value 0, no final XOR.
std::uint16_t Crc16Arc(const void* data, std::size_t size);

} // namespace kv
