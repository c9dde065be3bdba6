#pragma once
#include <cstdint>

namespace kv {

// A failed portable-image operation, carrying the interface's error code
// (KVX_ERROR_...). Thrown inside the host's conversions; the service entry
// points turn it into the calling thread's service error.
class PortableError {
  public:
    explicit PortableError(std::uint32_t code) : m_code(code) {}
    std::uint32_t code() const { return m_code; }

  private:
    std::uint32_t m_code;
};

} // namespace kv
