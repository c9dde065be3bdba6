#include "storage/stream/QzFileReader.h"

#include "storage/codecs/QzCodecs.h"

#include <algorithm>
#include <cstring>

namespace kv {

QzFileReader::QzFileReader(QzHandle& handle, std::unique_ptr<PosixFile> file)
    : QzStream(QzStreamType::FileReader, handle), m_file(std::move(file)), m_size(m_file->size()),
      m_buffer(new std::uint8_t[kQzFileBufferSize]) {}

std::size_t QzFileReader::read(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = std::min(count, m_count - m_index);
    std::memcpy(out, m_buffer.get() + m_index, done);
    m_index += done;
    const std::size_t rest = count - done;
    if (rest > 0 && rest < kQzFileBufferSize) {
        const std::int64_t got = m_file->read(m_buffer.get(), kQzFileBufferSize);
        if (got < 0) {
            m_index = m_count = 0;
            setError(QzError::ReadFailed);
        } else {
            m_count = static_cast<std::size_t>(got);
            m_index = std::min(rest, m_count);
            std::memcpy(out + done, m_buffer.get(), m_index);
            done += m_index;
        }
    } else if (rest > 0) {
        m_index = m_count = 0;
        const std::int64_t got = m_file->read(out + done, rest);
        if (got < 0)
            setError(QzError::ReadFailed);
        else
            done += static_cast<std::size_t>(got);
    }
    m_position += static_cast<std::int64_t>(done);
    return done;
}

void QzFileReader::close() {
    if (!m_file->close()) setError(QzError::CloseFailed);
}

void QzFileReader::seek(std::int64_t position) {
    position = std::min(position, m_size);
    const std::int64_t bufferStart = m_position - static_cast<std::int64_t>(m_index);
    if (position >= bufferStart && position <= bufferStart + static_cast<std::int64_t>(m_count)) {
        m_index = static_cast<std::size_t>(position - bufferStart);
        m_position = position;
        return;
    }
    m_index = m_count = 0;
    if (position < 0 || !m_file->seek(position)) {
        m_position = -1;
        setError(QzError::SeekFailed);
        return;
    }
    m_position = position;
}

void QzFileReader::beginCodec(QzMethod method) {
    QzPushDecoder(*this, method);
}

} // namespace kv
