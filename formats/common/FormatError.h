#pragma once
// Failures inside a codec carry the interface's error code, and sometimes a
// message of our own; the plug-in's entry points turn them into
// KVXGetLastError answers.
#include <cstdint>
#include <string>

namespace kvf {

struct FormatError {
    std::uint32_t code;
    std::string message; // empty: the host's text for the code
};

[[noreturn]] inline void Fail(std::uint32_t code) {
    throw FormatError{code, {}};
}
[[noreturn]] inline void Fail(std::uint32_t code, std::string message) {
    throw FormatError{code, std::move(message)};
}

// Codes used by the readers, named after what went wrong in the file.
inline constexpr std::uint32_t kDamaged = 4;     // "Invalid data"
inline constexpr std::uint32_t kUnsupported = 5; // "Unsupported format"
inline constexpr std::uint32_t kTooLarge = 6;    // "Cannot allocate memory"
inline constexpr std::uint32_t kTruncated = 14;  // "Unexpected end of file"

} // namespace kvf
