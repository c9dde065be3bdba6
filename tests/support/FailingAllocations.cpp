#include "support/FailingAllocations.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace kv::test {
namespace {

// The tests run on one thread; the state needs no locking.
bool g_armed = false;
long g_succeeding = 0;
long g_failing = 0;
long g_failures = 0;
// Inside a forwarded call: the library's array and nothrow forms call its
// plain one, which must not count the same allocation twice.
int g_forwarding = 0;

// Whether this allocation is one that must fail.
bool FailNow() {
    if (!g_armed || g_forwarding > 0) return false;
    if (g_succeeding > 0) {
        --g_succeeding;
        return false;
    }
    if (g_failing == 0) return false;
    if (g_failing > 0) --g_failing;
    ++g_failures;
    return true;
}

// The operator this file replaces, as the library (or a sanitizer runtime)
// defines it: every allocation that does not fail goes there, so blocks still
// come from and go back to the one allocator that the delete forms use.
template <class Function> Function Original(const char* mangledName) {
    void* symbol = ::dlsym(RTLD_NEXT, mangledName);
    if (!symbol) {
        std::fprintf(stderr, "FailingAllocations: no %s to forward to\n", mangledName);
        std::abort();
    }
    return reinterpret_cast<Function>(symbol);
}

using Plain = void* (*)(std::size_t);
using NoThrow = void* (*)(std::size_t, const std::nothrow_t&);

struct Forwarding {
    Forwarding() { ++g_forwarding; }
    ~Forwarding() { --g_forwarding; }
};

} // namespace

FailingAllocations::FailingAllocations(long succeeding, long failing) {
    g_succeeding = succeeding;
    g_failing = failing;
    g_failures = 0;
    g_armed = true;
}

FailingAllocations::~FailingAllocations() {
    g_armed = false;
}

long FailingAllocations::failures() const {
    return g_failures;
}

} // namespace kv::test

// The four forms the program allocates with (the over-aligned ones are left
// alone: nothing of ours uses them). The delete forms are not replaced.
void* operator new(std::size_t size) {
    static const auto original = kv::test::Original<kv::test::Plain>("_Znwm");
    if (kv::test::FailNow()) throw std::bad_alloc();
    kv::test::Forwarding forwarding;
    return original(size);
}

void* operator new[](std::size_t size) {
    static const auto original = kv::test::Original<kv::test::Plain>("_Znam");
    if (kv::test::FailNow()) throw std::bad_alloc();
    kv::test::Forwarding forwarding;
    return original(size);
}

void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    static const auto original = kv::test::Original<kv::test::NoThrow>("_ZnwmRKSt9nothrow_t");
    if (kv::test::FailNow()) return nullptr;
    kv::test::Forwarding forwarding;
    return original(size, tag);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    static const auto original = kv::test::Original<kv::test::NoThrow>("_ZnamRKSt9nothrow_t");
    if (kv::test::FailNow()) return nullptr;
    kv::test::Forwarding forwarding;
    return original(size, tag);
}
