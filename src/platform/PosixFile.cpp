#include "platform/PosixFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

PosixFile::~PosixFile() {
    close();
}

PosixFile::OpenResult PosixFile::openForReading(const std::string& path) {
    close();
    // Non-blocking, so that a named pipe cannot stall the open; only regular
    // files are read, since a pipe or a device could never end.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) return errno == ENOENT ? OpenResult::NotFound : OpenResult::Failed;
    struct stat st;
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close();
        return OpenResult::Failed;
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close();
        return OpenResult::Failed;
    }
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return OpenResult::Ok;
}

PosixFile::OpenResult PosixFile::openForWriting(const std::string& path) {
    close();
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0) return OpenResult::Failed;
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return OpenResult::Ok;
}

std::int64_t PosixFile::read(void* buffer, std::size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_fd, out + done, count - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

std::size_t PosixFile::write(const void* buffer, std::size_t count) {
    const auto* in = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(m_fd, in + done, count - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (put == 0) break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

bool PosixFile::seek(std::int64_t position) {
    return ::lseek(m_fd, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
}

std::int64_t PosixFile::size() const {
    struct stat st;
    if (::fstat(m_fd, &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool PosixFile::close() {
    if (m_fd < 0) return true;
    const int rc = ::close(m_fd);
    m_fd = -1;
    return rc == 0;
}

bool IsWriteProtectedFile(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

} // namespace kv
