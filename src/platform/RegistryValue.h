#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The value types the emulated registry knows, numbered as the system's own.
enum class RegistryType : std::uint32_t { String = 1, Binary = 3, Dword = 4 };

// A typed registry value. The bytes are what a reader gets: a string holds its
// text and a terminating zero, a double word four little-endian bytes.
struct RegistryValue {
    RegistryType type = RegistryType::Binary;
    std::string bytes;

    static RegistryValue string(std::string_view text) {
        RegistryValue v{RegistryType::String, std::string(text)};
        v.bytes.push_back('\0');
        return v;
    }
    static RegistryValue dword(std::uint32_t value) {
        RegistryValue v{RegistryType::Dword, std::string(4, '\0')};
        for (int i = 0; i < 4; ++i)
            v.bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        return v;
    }
    static RegistryValue binary(std::string_view data) {
        return {RegistryType::Binary, std::string(data)};
    }

    // The bytes read as a C string: up to the first zero.
    std::string text() const { return std::string(bytes.c_str()); }
    bool isDword() const { return type == RegistryType::Dword && bytes.size() == 4; }
    std::uint32_t dwordValue() const {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
        return v;
    }

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

} // namespace kv
