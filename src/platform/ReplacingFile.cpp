#include "platform/ReplacingFile.h"

#include "platform/Exceptions.h"
#include "platform/WholeFiles.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {
namespace {

// The longest file name most Linux file systems take.
constexpr std::size_t kMaxNameLength = 255;
constexpr std::string_view kTemporaryInfix = ".save-";
constexpr int kSuffixLength = 6;
constexpr int kNameAttempts = 100;

std::uint64_t RandomBits() {
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof bits))
        return bits;
    // No entropy yet (early boot): names only need to differ, not be secret.
    static std::atomic<std::uint64_t> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return (static_cast<std::uint64_t>(now.tv_nsec) ^
            (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
            (static_cast<std::uint64_t>(::getpid()) << 44)) +
           counter.fetch_add(1) * 0x9E3779B97F4A7C15u;
}

std::string RandomSuffix() {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uint64_t bits = RandomBits();
    std::string suffix;
    for (int i = 0; i < kSuffixLength; ++i, bits /= sizeof kAlphabet - 1)
        suffix.push_back(kAlphabet[bits % (sizeof kAlphabet - 1)]);
    return suffix;
}

// The temporary file's name without its random suffix. A long target name is
// shortened (never inside a UTF-8 character) so the whole still fits.
std::string TemporaryStem(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::size_t room = kMaxNameLength - 1 - kTemporaryInfix.size() - kSuffixLength;
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return folder + "." + name + std::string(kTemporaryInfix);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& path, mode_t newFileMode) : m_path(path) {
    inspectTarget();
    // The old file's contents may be private: until commit() the temporary
    // file is readable by its owner only.
    createTemporary(m_targetExists ? 0600 : newFileMode);
}

ReplacingFile::~ReplacingFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_temporary.empty()) ::unlink(m_temporary.c_str());
}

void ReplacingFile::inspectTarget() {
    if (!FollowSymbolicLinks(m_path, m_target))
        throw CKVException("Cannot replace " + m_path + ": " + std::strerror(errno));
    struct stat info {};
    if (::lstat(m_target.c_str(), &info) == 0) {
        // Renaming over a device, a pipe or a folder would not write to it
        // but put a plain file in its place.
        if (!S_ISREG(info.st_mode))
            throw CKVException("Cannot replace " + m_path + ": it is not a regular file");
        m_targetExists = true;
        m_oldMode = info.st_mode & 07777;
        m_oldOwner = info.st_uid;
        m_oldGroup = info.st_gid;
    }
    // Nothing there means a new file; any other error lstat met shows up,
    // with the usual message, when the temporary file cannot be created.
    if (m_target.empty() || m_target.back() == '/')
        throw CKVException("Cannot create the file " + m_path);
}

void ReplacingFile::createTemporary(mode_t mode) {
    const std::string stem = TemporaryStem(m_target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = stem + RandomSuffix();
        // O_EXCL never opens what is already there, a planted link included;
        // the kernel applies the umask to a new file's mode.
        m_fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            m_temporary = std::move(name);
            // Writers may reopen the file by name, whatever the umask says.
            if (m_targetExists) ::fchmod(m_fd, 0600);
            return;
        }
        if (errno != EEXIST) break;
    }
    throw CKVException("Cannot create the file " + m_path);
}

void ReplacingFile::write(std::string_view data) {
    if (!WriteAll(m_fd, data)) throw CKVException("Cannot write the file " + m_path);
}

void ReplacingFile::commit() {
    if (::fsync(m_fd) != 0) throw CKVException("Cannot write the file " + m_path);
    if (m_targetExists) keepOldPermissions();
    const int fd = m_fd;
    m_fd = -1;
    // Some file systems report a failed write only on close.
    if (::close(fd) != 0) throw CKVException("Cannot write the file " + m_path);
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        throw CKVException("Cannot replace the file " + m_path);
    m_committed = true;
    syncFolder();
}

void ReplacingFile::keepOldPermissions() {
    struct stat now {};
    if (::fstat(m_fd, &now) == 0 && (now.st_uid != m_oldOwner || now.st_gid != m_oldGroup)) {
        // Only root may give a file away; anyone else keeps the new file as
        // their own, which is what saving a file one may write means.
        [[maybe_unused]] const int given = ::fchown(m_fd, m_oldOwner, m_oldGroup);
    }
    // After the owner: changing it clears the set-id bits.
    ::fchmod(m_fd, m_oldMode);
}

// Makes the rename itself durable; failing here loses nothing already renamed.
void ReplacingFile::syncFolder() const {
    const int folder = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    ::fsync(folder);
    ::close(folder);
}

} // namespace kv
