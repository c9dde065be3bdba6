#include "storage/stream/QzMemoryStreams.h"

#include "storage/codecs/QzCodecs.h"

#include <algorithm>
#include <cstring>

namespace kv {

QzMemoryReader::QzMemoryReader(QzHandle& handle, const void* data, std::size_t size)
    : QzStream(QzStreamType::MemoryReader, handle), m_data(static_cast<const std::uint8_t*>(data)),
      m_size(size) {}

std::size_t QzMemoryReader::read(void* buffer, std::size_t count) {
    const std::size_t take = std::min(count, m_size - m_position);
    if (take > 0) std::memcpy(buffer, m_data + m_position, take);
    m_position += take;
    return take;
}

void QzMemoryReader::seek(std::int64_t position) {
    if (position < 0) {
        setError(QzError::SeekFailed);
        return;
    }
    m_position = static_cast<std::size_t>(std::min<std::int64_t>(position, size()));
}

void QzMemoryReader::beginCodec(QzMethod method) {
    QzPushDecoder(*this, method);
}

QzMemoryWriter::QzMemoryWriter(QzHandle& handle, std::vector<std::uint8_t>& sink)
    : QzStream(QzStreamType::MemoryWriter, handle), m_sink(sink) {
    m_sink.clear();
}

std::size_t QzMemoryWriter::write(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    const std::size_t overwrite = std::min(count, m_sink.size() - m_position);
    std::copy(in, in + overwrite, m_sink.begin() + static_cast<std::ptrdiff_t>(m_position));
    m_sink.insert(m_sink.end(), in + overwrite, in + count);
    m_position += count;
    return count;
}

void QzMemoryWriter::seek(std::int64_t position) {
    if (position < 0) {
        setError(QzError::SeekFailed);
        return;
    }
    m_position = static_cast<std::size_t>(std::min<std::int64_t>(position, size()));
}

void QzMemoryWriter::beginCodec(QzMethod method) {
    QzPushEncoder(*this, method);
}

} // namespace kv
