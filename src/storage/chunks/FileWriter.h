#pragma once
#include "storage/chunks/ErrorState.h"
#include "storage/chunks/FileCompression.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class QzHandle;

// Writes a data file through the stream library, reporting failures as
// messages through an ErrorState.
class FileWriter {
  public:
    FileWriter() = default;
    virtual ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    virtual void reset();
    // Creates or truncates the file.
    virtual bool open(const std::string& path);
    bool create(const std::string& path) { return open(path); }
    // Writes into `sink` instead of a file; it must outlive the writer.
    bool openMemory(std::vector<std::uint8_t>& sink, const std::string& name = {});
    virtual bool close();

    bool seek(std::int64_t position);
    bool write(const void* buffer, std::size_t count);
    std::int64_t tell();
    // FileCompression::None, or a number cast from elsewhere, fails.
    bool beginCompression(FileCompression method);
    bool endCompression();

    bool writeVarUInt(std::uint32_t value);
    bool writeRecord(const void* structure, std::size_t size);
    bool writeString(const std::string& text);

    ErrorState& errors() { return m_errors; }
    const ErrorState& errors() const { return m_errors; }
    bool isOpen() const { return m_handle != nullptr; }
    const std::string& fileName() const { return m_fileName; }

  protected:
    bool fail(const char* message) { return m_errors.report(message); }

  private:
    ErrorState m_errors;
    QzHandle* m_handle = nullptr;
    std::string m_fileName;
};

} // namespace kv
