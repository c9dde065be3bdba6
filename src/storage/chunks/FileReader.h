#pragma once
#include "storage/chunks/ErrorState.h"
#include "storage/chunks/FileCompression.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

class QzHandle;

// Reads a data file through the stream library and turns its error codes
// into messages kept in an ErrorState. Every operation returns false on
// failure (or throws, in throwing mode).
class FileReader {
  public:
    FileReader() = default;
    virtual ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Closes without reporting, forgets a pending seek and the first error.
    virtual void reset();
    virtual bool open(const std::string& path);
    // Reads from memory instead of a file; the data must outlive the reader.
    bool openMemory(const void* data, std::size_t size, const std::string& name = {});
    virtual bool close();

    bool seek(std::int64_t position);
    bool read(void* buffer, std::size_t count);
    std::int64_t tell();
    bool atEnd();
    // FileCompression::None, or a number cast from elsewhere, fails.
    bool beginDecompression(FileCompression method);
    // Data after a compressed section is only where it should be once the
    // section was read to its end: the decoders read ahead, and an early end
    // leaves the position there. Ending the chunk still finds its end.
    bool endDecompression();

    bool readVarUInt(std::uint32_t& value);
    // Reads a length-prefixed record into the first `size` bytes of
    // `structure`; fields the record does not reach keep their values.
    bool readRecord(void* structure, std::size_t size);
    bool readString(std::string& text);

    ErrorState& errors() { return m_errors; }
    const ErrorState& errors() const { return m_errors; }
    bool isOpen() const { return m_handle != nullptr; }
    const std::string& fileName() const { return m_fileName; }

  protected:
    bool fail(const char* message) { return m_errors.report(message); }
    // Skips to `position` lazily: the next read, tell, at-end or
    // decompression start performs it.
    void seekLater(std::int64_t position) {
        m_seekPending = true;
        m_pendingPosition = position;
    }
    bool discard(std::uint64_t count);

  private:
    bool openHandle(QzHandle* handle, const std::string& name);
    bool performPendingSeek();

    ErrorState m_errors;
    QzHandle* m_handle = nullptr;
    bool m_seekPending = false;
    std::int64_t m_pendingPosition = 0;
    std::string m_fileName;
};

} // namespace kv
