#pragma once
#include "storage/stream/QzError.h"
#include "storage/stream/QzMethod.h"

#include <cstddef>
#include <cstdint>

namespace kv {

class QzHandle;

enum class QzStreamType : std::int32_t {
    Abstract = 0,
    FileReader = 1,
    FileWriter = 2,
    MemoryReader = 3, // in-memory stand-ins for a file, used by tests and tools
    MemoryWriter = 4,
    LzrcEncoder = 101,
    LzrcDecoder = 102,
    LzwEncoder = 103,
    LzwDecoder = 104,
};

// One level of a stream stack. Construction pushes the stream onto its
// handle; destruction pops it again, uncovering the stream below. The
// handle owns the levels. Operations a stream does not support fail with
// QzError::NotSupported; errors are codes, never exceptions.
class QzStream {
  public:
    QzStream(QzStreamType type, QzHandle& handle);
    virtual ~QzStream();
    QzStream(const QzStream&) = delete;
    QzStream& operator=(const QzStream&) = delete;

    QzStreamType type() const { return m_type; }
    QzError error() const { return m_error; }
    QzStream* lower() const { return m_lower; }
    QzHandle& handle() const { return m_handle; }

    // Stores the code here and in the calling thread's error word.
    virtual void setError(QzError code);
    // The next byte, or -1 at the end or on error.
    virtual int getByte();
    virtual bool putByte(std::uint8_t value);
    // Both return the number of bytes actually transferred.
    virtual std::size_t read(void* buffer, std::size_t count);
    virtual std::size_t write(const void* buffer, std::size_t count);
    // Flushes what must be flushed, then closes every level below.
    virtual void close();
    virtual bool atEnd();
    virtual std::int64_t size();
    virtual std::int64_t tell();
    void rewind() { seek(0); }
    virtual void seek(std::int64_t position);
    // Pushes a codec on top of this stream (file streams only).
    virtual void beginCodec(QzMethod method);
    // Finishes a codec's data; the handle then destroys the codec.
    virtual void endCodec();
    virtual void flush();
    virtual bool isCodec() const { return false; }

  protected:
    void setErrorIfNone(QzError code) {
        if (m_error == QzError::None) setError(code);
    }

  private:
    QzStreamType m_type;
    QzError m_error = QzError::None;
    QzHandle& m_handle;
    QzStream* m_lower;
};

} // namespace kv
