#pragma once
#include "platform/PosixFile.h"
#include "storage/stream/QzStream.h"

#include <memory>

namespace kv {

// Buffered writing to an operating-system file. The size is the largest
// position ever reached; seeking back inside the buffered block rewrites
// bytes in memory.
class QzFileWriter final : public QzStream {
  public:
    QzFileWriter(QzHandle& handle, std::unique_ptr<PosixFile> file);

    bool putByte(std::uint8_t value) override;
    std::size_t write(const void* buffer, std::size_t count) override;
    void close() override;
    std::int64_t size() override { return m_size; }
    std::int64_t tell() override { return m_position; }
    void seek(std::int64_t position) override;
    void beginCodec(QzMethod method) override;
    void flush() override;

  private:
    bool writeBuffer();
    void noteEnd() { m_size = std::max(m_size, m_position); }

    std::unique_ptr<PosixFile> m_file;
    std::int64_t m_size = 0;
    std::int64_t m_position = 0;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_index = 0; // where the next byte goes
    std::size_t m_count = 0; // bytes to write; the file pointer sits at the buffer's start
};

} // namespace kv
