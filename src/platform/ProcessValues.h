#pragma once
#include <cstdint>
#include <string>

namespace kv {

struct CpuFeatures {
    unsigned family = 0; // bits 8-11 of cpuid leaf 1 EAX
    bool cmov = false;
    bool mmx = false;
    bool sse = false;
    bool sse2 = false;
};

// Values set once at start-up and read everywhere.
struct ProcessValues {
    std::string executablePath;
    std::string executableFolder; // ends in '/'
    std::string startFolder;      // ends in '/'
    std::uint32_t productVersion = 0;
    CpuFeatures cpu;
};

ProcessValues& Process();

// Major, minor, build and revision in the four bytes from the most significant down.
constexpr std::uint32_t PackVersion(unsigned major, unsigned minor, unsigned build,
                                    unsigned revision) {
    return (major & 0xFFu) << 24 | (minor & 0xFFu) << 16 | (build & 0xFFu) << 8 |
           (revision & 0xFFu);
}
// "1.2", "1.2.3", "1.2.0.5": build shown when build or revision is set, revision when set.
std::string FormatVersion(std::uint32_t packedVersion);

// A text that is not empty gets a trailing '/' unless it has one.
std::string AppendSlash(std::string folder);
std::string FolderOf(const std::string& path);

// Each returns false / empty on failure.
bool ReadExecutablePath(std::string& path);
std::string ReadCurrentFolder();
std::uint32_t ReadProductVersion();
CpuFeatures ReadCpuFeatures();

} // namespace kv
