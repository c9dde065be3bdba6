#pragma once
#include "kvx.h"
#include "plugins/portable/PortableError.h"

#include <cstdint>
#include <new>

namespace kv {

// The service error of the calling thread: every service clears it first and
// sets it when it fails. Thread-local, so plug-ins may call from their own
// threads.
std::uint32_t LastServiceError();
void SetServiceError(std::uint32_t code);

// Runs a service body; a PortableError or any other exception becomes the
// thread's error code and `failed` the answer, so nothing is thrown across
// the interface.
template <typename Result, typename Body> Result RunService(Result failed, Body body) {
    SetServiceError(KVX_ERROR_NONE);
    try {
        return body();
    } catch (const PortableError& e) {
        SetServiceError(e.code());
    } catch (const std::bad_alloc&) {
        SetServiceError(KVX_ERROR_OUT_OF_MEMORY);
    } catch (...) {
        SetServiceError(KVX_ERROR_PLUGIN);
    }
    return failed;
}

} // namespace kv
