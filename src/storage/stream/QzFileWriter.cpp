#include "storage/stream/QzFileWriter.h"

#include "storage/codecs/QzCodecs.h"
#include "storage/stream/QzFileReader.h"

#include <algorithm>
#include <cstring>

namespace kv {

QzFileWriter::QzFileWriter(QzHandle& handle, std::unique_ptr<PosixFile> file)
    : QzStream(QzStreamType::FileWriter, handle), m_file(std::move(file)),
      m_buffer(new std::uint8_t[kQzFileBufferSize]) {}

bool QzFileWriter::putByte(std::uint8_t value) {
    if (m_index < kQzFileBufferSize) {
        m_buffer[m_index++] = value;
        m_count = std::max(m_count, m_index);
        ++m_position;
        noteEnd();
        return true;
    }
    return QzStream::putByte(value);
}

std::size_t QzFileWriter::write(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::size_t done = 0;
    if (m_index + count <= kQzFileBufferSize) {
        std::memcpy(m_buffer.get() + m_index, in, count);
        m_index += count;
        done = count;
    } else {
        const std::size_t topUp = kQzFileBufferSize - m_index;
        std::memcpy(m_buffer.get() + m_index, in, topUp);
        m_index = m_count = kQzFileBufferSize;
        if (writeBuffer()) {
            done = topUp;
            const std::size_t rest = count - topUp;
            if (rest < kQzFileBufferSize) {
                std::memcpy(m_buffer.get(), in + topUp, rest);
                m_index = rest;
                done += rest;
            } else {
                const std::size_t put = m_file->write(in + topUp, rest);
                done += put;
                if (put != rest) setError(QzError::WriteFailed);
            }
        }
    }
    m_count = std::max(m_count, m_index);
    m_position += static_cast<std::int64_t>(done);
    noteEnd();
    return done;
}

// Writes the whole buffer and empties it; the file pointer ends after it.
bool QzFileWriter::writeBuffer() {
    const std::size_t put = m_file->write(m_buffer.get(), m_count);
    const bool ok = put == m_count;
    m_index = m_count = 0;
    if (!ok) setError(QzError::WriteFailed);
    return ok;
}

void QzFileWriter::flush() {
    if (m_count == 0) return;
    const bool wasAtEnd = m_index == m_count;
    if (writeBuffer() && !wasAtEnd && !m_file->seek(m_position)) {
        m_position = -1;
        setError(QzError::SeekFailed);
    }
}

void QzFileWriter::close() {
    flush();
    if (!m_file->close()) setError(QzError::CloseFailed);
}

void QzFileWriter::seek(std::int64_t position) {
    position = std::min(position, m_size);
    const std::int64_t bufferStart = m_position - static_cast<std::int64_t>(m_index);
    if (position >= bufferStart && position <= bufferStart + static_cast<std::int64_t>(m_count)) {
        m_index = static_cast<std::size_t>(position - bufferStart);
        m_position = position;
        return;
    }
    if (m_count > 0) writeBuffer();
    if (position < 0 || !m_file->seek(position)) {
        m_position = -1;
        setError(QzError::SeekFailed);
        return;
    }
    m_position = position;
}

void QzFileWriter::beginCodec(QzMethod method) {
    QzPushEncoder(*this, method);
}

} // namespace kv
