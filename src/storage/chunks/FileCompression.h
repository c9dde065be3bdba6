#pragma once

namespace kv {

// Compression methods as stored in data files. Only the file reader and
// writer translate them to the stream library's numbering.
inline constexpr int kFileCompressionNone = 0;
inline constexpr int kFileCompressionLzw = 1;
inline constexpr int kFileCompressionLzrc = 2;

} // namespace kv
