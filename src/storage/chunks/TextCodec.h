#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// Conversions between the program's text (UTF-8) and the string encoding
// inside data files: every UTF-16 unit encoded on its own as 1 to 3 bytes.
namespace text {

// Null when the text is not valid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(const std::string& text);
std::string EncodeUnits(const std::u16string& units);
// Reads 1- to 4-byte sequences (4-byte ones become a surrogate pair) and
// skips stray continuation bytes. Null for an invalid lead byte or a
// sequence cut short.
std::optional<std::u16string> DecodeUnits(const std::uint8_t* bytes, std::size_t size);
// Null when the units hold an unpaired surrogate.
std::optional<std::string> Utf16ToUtf8(const std::u16string& units);

} // namespace text

} // namespace kv
