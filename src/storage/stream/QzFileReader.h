#pragma once
#include "platform/PosixFile.h"
#include "storage/stream/QzStream.h"

#include <memory>

namespace kv {

inline constexpr std::size_t kQzFileBufferSize = 65536;

// Buffered reading from an operating-system file. Reads of a block or more
// go straight to the caller's memory; seeks inside the buffered block move
// an index without a system call.
class QzFileReader final : public QzStream {
  public:
    // Takes ownership of an open file.
    QzFileReader(QzHandle& handle, std::unique_ptr<PosixFile> file);

    int getByte() override {
        if (m_index < m_count) {
            ++m_position;
            return m_buffer[m_index++];
        }
        return QzStream::getByte();
    }
    std::size_t read(void* buffer, std::size_t count) override;
    void close() override;
    bool atEnd() override { return m_position >= m_size; }
    std::int64_t size() override { return m_size; }
    std::int64_t tell() override { return m_position; }
    void seek(std::int64_t position) override;
    void beginCodec(QzMethod method) override;

  private:
    std::unique_ptr<PosixFile> m_file;
    std::int64_t m_size;
    std::int64_t m_position = 0;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_index = 0; // next byte to hand out
    std::size_t m_count = 0; // valid bytes; the file pointer sits just after them
};

} // namespace kv
