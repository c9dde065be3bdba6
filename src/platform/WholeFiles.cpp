#include "platform/WholeFiles.h"

#include "platform/Exceptions.h"
#include "platform/ReplacingFile.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {
namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

std::string FolderPart(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& data, std::size_t limit) {
    // Non-blocking, so a pipe in place of the file cannot stall us before the
    // check below; it changes nothing for a regular file.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return false;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    data.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (data.size() + static_cast<std::size_t>(n) > limit) {
            errno = EFBIG;
            return false;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
}

bool MakeFolders(const std::string& path, mode_t mode) {
    if (path.empty()) return false;
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = FolderPart(path);
    if (parent != path && parent != "." && !MakeFolders(parent, mode)) return false;
    return ::mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}

bool WriteFileAtomically(const std::string& path, std::string_view data, mode_t mode,
                         std::string* error) {
    try {
        ReplacingFile file(path, mode);
        file.write(data);
        file.commit();
        return true;
    } catch (const CKVException& e) {
        if (error) *error = e.message();
        return false;
    }
}

bool FollowSymbolicLinks(const std::string& path, std::string& real) {
    std::string current = path;
    // As many links as the kernel itself follows in one path.
    for (int hop = 0; hop <= 40; ++hop) {
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            real = std::move(current);
            return true;
        }
        std::string target(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) return false;
        if (static_cast<std::size_t>(n) == target.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        target.resize(static_cast<std::size_t>(n));
        if (target.starts_with('/') || current.find('/') == std::string::npos)
            current = std::move(target);
        else
            current = current.substr(0, current.rfind('/') + 1) + target;
    }
    errno = ELOOP;
    return false;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::string FileTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace kv
