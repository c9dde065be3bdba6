#pragma once
#include <cstdint>

namespace kv {

// Error codes of the stream library: the per-thread error word and each
// stream's error field hold one of these. The numbers are stable.
enum class QzError : std::int32_t {
    None = 0,
    CloseFailed = 1,
    OutOfMemory = 2,
    FileNotFound = 5,
    OpenFailed = 6,
    NullHandle = 7,
    UnknownMethod = 8,
    NotSupported = 9,
    SeekFailed = 10,
    ReadFailed = 11, // also: compressed data ended early
    WriteFailed = 12,
    CorruptData = 13,
};

// The calling thread's error word.
QzError QzThreadError();
void QzSetThreadError(QzError code);

} // namespace kv
