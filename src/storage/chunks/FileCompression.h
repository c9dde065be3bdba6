#pragma once
#include "storage/stream/QzMethod.h"

#include <cstdint>

namespace kv {

// Compression methods as data files store them.
enum class FileCompression : std::int32_t { None = 0, Lzw = 1, Lzrc = 2 };

// A record's stored number and back. A number no file may hold passes
// through, so that starting the codec refuses it with the usual message.
constexpr FileCompression StoredFileCompression(std::int32_t stored) {
    return static_cast<FileCompression>(stored);
}
constexpr std::int32_t StoredNumber(FileCompression method) {
    return static_cast<std::int32_t>(method);
}

// The one place where the file numbering meets the library's.
constexpr QzMethod LibraryMethod(FileCompression method) {
    return method == FileCompression::Lzw ? QzMethod::Lzw : QzMethod::Lzrc;
}

} // namespace kv
