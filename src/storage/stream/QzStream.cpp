#include "storage/stream/QzStream.h"

#include "storage/stream/QzHandle.h"

namespace kv {

QzStream::QzStream(QzStreamType type, QzHandle& handle)
    : m_type(type), m_handle(handle), m_lower(handle.m_top) {
    handle.m_top = this;
}

QzStream::~QzStream() {
    if (m_handle.m_top == this) m_handle.m_top = m_lower;
}

void QzStream::setError(QzError code) {
    m_error = code;
    QzSetThreadError(code);
}

int QzStream::getByte() {
    std::uint8_t value = 0;
    if (read(&value, 1) == 1) return value;
    setErrorIfNone(QzError::ReadFailed);
    return -1;
}

bool QzStream::putByte(std::uint8_t value) {
    if (write(&value, 1) == 1) return true;
    setErrorIfNone(QzError::WriteFailed);
    return false;
}

std::size_t QzStream::read(void*, std::size_t) {
    setError(QzError::NotSupported);
    return 0;
}

std::size_t QzStream::write(const void*, std::size_t) {
    setError(QzError::NotSupported);
    return 0;
}

void QzStream::close() {
    if (m_lower) m_lower->close();
}

bool QzStream::atEnd() {
    setError(QzError::NotSupported);
    return false;
}

std::int64_t QzStream::size() {
    setError(QzError::NotSupported);
    return 0;
}

std::int64_t QzStream::tell() {
    setError(QzError::NotSupported);
    return 0;
}

void QzStream::seek(std::int64_t) {
    setError(QzError::NotSupported);
}

void QzStream::beginCodec(QzMethod) {
    setError(QzError::NotSupported);
}

void QzStream::endCodec() {
    setError(QzError::NotSupported);
}

void QzStream::flush() {
    setError(QzError::NotSupported);
}

} // namespace kv
