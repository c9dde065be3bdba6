// Runs saved inputs through a fuzz target's entry point without libFuzzer,
// so that every corpus file stays a test in the ordinary build. Arguments
// are files or directories (every regular file inside, recursively, in name
// order). A crash or an abort in the target fails the run; so does finding
// no input at all, which would otherwise pass for a replayed corpus. With
// --every-cut first, each input is also run cut short at every length (at
// most 4096 lengths spread over it), as a file a download or a full disk
// truncated.
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Only some targets set themselves up first.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
// Present only under the sanitizers: lets their reports name the input too.
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)());

namespace {

namespace fs = std::filesystem;

// The input being run, for the message of a run that dies in the target.
char g_current[4096];

void WriteCurrent() {
    static const char prefix[] = "replay: failed on ";
    // Only async-signal-safe calls here.
    ssize_t ignored = write(STDERR_FILENO, prefix, sizeof prefix - 1);
    ignored = write(STDERR_FILENO, g_current, strlen(g_current));
    ignored = write(STDERR_FILENO, "\n", 1);
    (void)ignored;
}

void OnFatalSignal(int signal) {
    WriteCurrent();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

bool Collect(const fs::path& path, std::vector<fs::path>& files) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        files.push_back(path);
        return true;
    }
    if (!fs::is_directory(path, error)) {
        std::fprintf(stderr, "replay: %s is neither a file nor a directory\n", path.c_str());
        return false;
    }
    std::vector<fs::path> found;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error))
        if (it->is_regular_file(error)) found.push_back(it->path());
    if (error) {
        std::fprintf(stderr, "replay: cannot list %s: %s\n", path.c_str(), error.message().c_str());
        return false;
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return true;
}

bool ReadAll(const fs::path& path, std::vector<char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// A copy of exactly the given size, as the fuzzer passes it, so that the
// sanitizers see a read past its end.
void RunOne(const std::vector<char>& bytes, std::size_t size) {
    const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[size]);
    if (size != 0) std::memcpy(copy.get(), bytes.data(), size);
    LLVMFuzzerTestOneInput(copy.get(), size);
}

} // namespace

int main(int argc, char** argv) {
    const bool everyCut = argc > 1 && std::strcmp(argv[1], "--every-cut") == 0;
    const int first = everyCut ? 2 : 1;
    if (argc <= first) {
        std::fprintf(stderr, "usage: %s [--every-cut] FILE_OR_DIRECTORY...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> files;
    for (int i = first; i < argc; ++i)
        if (!Collect(argv[i], files)) return 2;
    if (files.empty()) {
        std::fprintf(stderr, "replay: no inputs found\n");
        return 2;
    }

    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(WriteCurrent);
    for (int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, OnFatalSignal);

    std::vector<char> bytes;
    for (const fs::path& file : files) {
        if (!ReadAll(file, bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
            return 2;
        }
        std::snprintf(g_current, sizeof g_current, "%s", file.c_str());
        RunOne(bytes, bytes.size());
        if (!everyCut) continue;
        const std::size_t step = bytes.size() / 4096 + 1;
        for (std::size_t cut = 0; cut < bytes.size(); cut += step) {
            std::snprintf(g_current, sizeof g_current, "%s cut to %zu bytes", file.c_str(), cut);
            RunOne(bytes, cut);
        }
    }
    std::printf("replayed %zu input(s)\n", files.size());
    return 0;
}
