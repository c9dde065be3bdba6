#include "FormatError.h"
#include "FormatPlugin.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvf {
namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const char* path) {
    Descriptor file{::open(path, O_RDONLY | O_CLOEXEC)};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        Fail(KVX_ERROR_CANNOT_ACCESS_FILE);
    if (std::uint64_t(info.st_size) > kMaxFileSize) Fail(kTooLarge);
    std::vector<std::uint8_t> bytes(std::size_t(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(KVX_ERROR_READ_FAILED);
        if (n == 0) break; // shrank meanwhile
        done += std::size_t(n);
    }
    bytes.resize(done);
    return bytes;
}

void WriteWholeFile(const char* path, Bytes bytes) {
    Descriptor file{::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (file.fd < 0) Fail(KVX_ERROR_CANNOT_CREATE_FILE);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += std::size_t(n);
    }
    const bool closed = ::close(file.fd) == 0;
    file.fd = -1;
    if (done < bytes.size() || !closed) {
        ::unlink(path);
        Fail(KVX_ERROR_WRITE_FAILED);
    }
}

} // namespace kvf
