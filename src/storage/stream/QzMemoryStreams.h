#pragma once
#include "storage/stream/QzStream.h"

#include <vector>

namespace kv {

// Reads a block of memory that outlives the stream, as if it were a file.
class QzMemoryReader final : public QzStream {
  public:
    QzMemoryReader(QzHandle& handle, const void* data, std::size_t size);

    int getByte() override {
        if (m_position < m_size) return m_data[m_position++];
        return QzStream::getByte();
    }
    std::size_t read(void* buffer, std::size_t count) override;
    bool atEnd() override { return m_position >= m_size; }
    std::int64_t size() override { return static_cast<std::int64_t>(m_size); }
    std::int64_t tell() override { return static_cast<std::int64_t>(m_position); }
    void seek(std::int64_t position) override;
    void beginCodec(QzMethod method) override;

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// Writes into a caller's byte vector as if it were a file: seeking back and
// overwriting work, the vector's size is the stream's size.
class QzMemoryWriter final : public QzStream {
  public:
    QzMemoryWriter(QzHandle& handle, std::vector<std::uint8_t>& sink);

    std::size_t write(const void* buffer, std::size_t count) override;
    std::int64_t size() override { return static_cast<std::int64_t>(m_sink.size()); }
    std::int64_t tell() override { return static_cast<std::int64_t>(m_position); }
    void seek(std::int64_t position) override;
    void beginCodec(QzMethod method) override;
    void flush() override {}

  private:
    std::vector<std::uint8_t>& m_sink;
    std::size_t m_position = 0;
};

} // namespace kv
