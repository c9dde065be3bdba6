#include "plugins/services/ServiceError.h"

namespace kv {
namespace {

thread_local std::uint32_t t_serviceError = 0;

} // namespace

std::uint32_t LastServiceError() {
    return t_serviceError;
}

void SetServiceError(std::uint32_t code) {
    t_serviceError = code;
}

} // namespace kv
