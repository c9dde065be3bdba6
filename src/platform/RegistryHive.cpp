#include "platform/RegistryHive.h"

#include "platform/RegistryText.h"
#include "platform/WholeFiles.h"
#include "platform/XdgFolders.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace kv {
namespace {

// Sessions this thread has open, by file.
std::map<std::string, int>& HeldLocks() {
    thread_local std::map<std::string, int> held;
    return held;
}

} // namespace

RegistryHive::RegistryHive(HiveId id) : RegistryHive(id, filePath(id)) {}

RegistryHive::RegistryHive(HiveId id, std::string path) : m_id(id), m_path(std::move(path)) {
    lock();
    read();
}

RegistryHive::~RegistryHive() {
    if (m_lockFd >= 0) ::close(m_lockFd); // releases the lock
    if (m_counted && --HeldLocks()[m_path] == 0) HeldLocks().erase(m_path);
}

std::string RegistryHive::filePath(HiveId id) {
    const std::string config = XdgConfigHome();
    const char* file = id == HiveId::CurrentUser ? "/korvane/user.reg" : "/korvane/classes.reg";
    return config.empty() ? std::string() : config + file;
}

const char* RegistryHive::rootName(HiveId id) {
    return id == HiveId::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_CLASSES_ROOT";
}

void RegistryHive::lock() {
    const auto slash = m_path.rfind('/');
    if (m_path.empty() || slash == std::string::npos || !MakeFolders(m_path.substr(0, slash)))
        return;
    // A second session on the same hive in the same thread would wait for
    // itself forever; it shares the first one's lock instead.
    m_counted = true;
    if (HeldLocks()[m_path]++ > 0) return;
    m_lockFd = ::open((m_path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0) return;
    // Sessions only read or write one small file, so waiting is short; the
    // kernel queues the waiters, where polling could starve one of them.
    while (::flock(m_lockFd, LOCK_EX) != 0)
        if (errno != EINTR) return;
}

void RegistryHive::read() {
    if (m_path.empty()) return;
    std::string text;
    if (!ReadWholeFile(m_path, text, kMaxFileSize)) {
        if (errno == ENOENT) return;
        if (errno != EFBIG) {
            m_readable = false;
            return;
        }
    } else if (ParseRegistryText(text, rootName(m_id), m_root)) {
        return;
    }
    // Damaged: start empty, and keep the file for the user to look at.
    m_root.clear();
    // Beside the real file: a linked hive stays linked, and the next save
    // writes a fresh file where the link leads.
    std::string real;
    if (!FollowSymbolicLinks(m_path, real)) return;
    const std::string stem = real + ".corrupt-" + FileTimeStamp();
    std::string aside = stem;
    for (int n = 2; FileExists(aside) && n < 100; ++n)
        aside = stem + "-" + std::to_string(n);
    if (::rename(real.c_str(), aside.c_str()) == 0) {
        m_corruptCopy = aside;
        std::fprintf(stderr, "korvane: %s could not be read and was moved to %s\n", m_path.c_str(),
                     aside.c_str());
    }
}

bool RegistryHive::save() {
    if (m_path.empty() || !m_readable) return false;
    const auto slash = m_path.rfind('/');
    if (!MakeFolders(m_path.substr(0, slash))) return false;
    std::string error;
    if (WriteFileAtomically(m_path, FormatRegistryText(m_root, rootName(m_id)), 0600, &error))
        return true;
    std::fprintf(stderr, "korvane: %s\n", error.c_str());
    return false;
}

} // namespace kv
