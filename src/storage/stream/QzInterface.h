#pragma once
#include "storage/stream/QzError.h"
#include "storage/stream/QzMethod.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class QzHandle;

// The stream library's plain function interface. Every call first clears
// the calling thread's error word and returns the error that stands after
// it (QzError::None on success), unless noted.

QzError QzStartup();
void QzShutdown();

// A handle on a buffered file reader or writer, or null (see QzLastError).
QzHandle* QzOpenForReading(const std::string& path);
QzHandle* QzOpenForWriting(const std::string& path);
// The same over memory: the data must outlive the handle; the sink is
// cleared and receives everything written (seeking back overwrites).
QzHandle* QzOpenMemoryForReading(const void* data, std::size_t size);
QzHandle* QzOpenMemoryForWriting(std::vector<std::uint8_t>& sink);

// An unknown method (a number cast from elsewhere) is QzError::UnknownMethod.
QzError QzBeginCodec(QzHandle* handle, QzMethod method);
QzError QzEndCodec(QzHandle* handle);
// Both return the top stream's error field; transferred may be null.
QzError QzRead(QzHandle* handle, void* buffer, std::size_t count, std::size_t* transferred);
QzError QzWrite(QzHandle* handle, const void* buffer, std::size_t count, std::size_t* transferred);
// Finishes any encoder, closes the file and frees the handle.
QzError QzClose(QzHandle* handle);
bool QzAtEnd(QzHandle* handle);
std::int64_t QzSize(QzHandle* handle);
std::int64_t QzTell(QzHandle* handle);
QzError QzSeek(QzHandle* handle, std::int64_t position);
// The calling thread's error word; does not clear it.
QzError QzLastError();

} // namespace kv
