#include "platform/ProcessValues.h"

#include "platform/BuildVersion.h"

#include <climits>
#include <cstdio>
#include <unistd.h>
#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace kv {

ProcessValues& Process() {
    static ProcessValues values;
    return values;
}

std::string FormatVersion(std::uint32_t v) {
    const unsigned major = v >> 24, minor = (v >> 16) & 0xFF, build = (v >> 8) & 0xFF,
                   revision = v & 0xFF;
    char text[64];
    int n = std::snprintf(text, sizeof text, "%u.%u", major, minor);
    if (build != 0 || revision != 0) n += std::snprintf(text + n, sizeof text - n, ".%u", build);
    if (revision != 0) std::snprintf(text + n, sizeof text - n, ".%u", revision);
    return text;
}

std::string AppendSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder.push_back('/');
    return folder;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ReadExecutablePath(std::string& path) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return false;
    path.assign(buffer, static_cast<std::size_t>(n));
    return true;
}

std::string ReadCurrentFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::uint32_t ReadProductVersion() {
    return PackVersion(KORVANE_VERSION_MAJOR, KORVANE_VERSION_MINOR, KORVANE_VERSION_PATCH + 0,
                       KORVANE_VERSION_TWEAK + 0);
}

CpuFeatures ReadCpuFeatures() {
    CpuFeatures features;
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        features.family = (eax >> 8) & 0xF;
        features.cmov = (edx >> 15) & 1;
        features.mmx = (edx >> 23) & 1;
        features.sse = (edx >> 25) & 1;
        features.sse2 = (edx >> 26) & 1;
    }
#endif
    return features;
}

} // namespace kv
