#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

// A plain operating-system file descriptor with the few calls the stream
// library needs. Failures come back as results; errno is left for the caller.
class PosixFile {
  public:
    enum class OpenResult { Ok, NotFound, Failed };

    PosixFile() = default;
    ~PosixFile();
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    OpenResult openForReading(const std::string& path);
    // Creates or truncates.
    OpenResult openForWriting(const std::string& path);
    bool isOpen() const { return m_fd >= 0; }

    // Reads up to count bytes, retrying short reads until end of file.
    // Returns the number of bytes read, or -1 on failure.
    std::int64_t read(void* buffer, std::size_t count);
    // Writes all bytes; returns the number written (less than count on failure).
    std::size_t write(const void* buffer, std::size_t count);
    bool seek(std::int64_t position);
    std::int64_t size() const;
    bool close();

  private:
    int m_fd = -1;
};

// True when path names an existing file that the user may not write.
bool IsWriteProtectedFile(const std::string& path);

} // namespace kv
