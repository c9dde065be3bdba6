#pragma once

namespace kv {

class QzStream;

// The cell the interface hands out: it points at the top stream of one
// stack and owns every level of it.
class QzHandle {
  public:
    QzHandle() = default;
    ~QzHandle();
    QzHandle(const QzHandle&) = delete;
    QzHandle& operator=(const QzHandle&) = delete;

    QzStream* top() const { return m_top; }
    // Destroys the top level, uncovering the one below.
    void destroyTop();

  private:
    friend class QzStream;
    QzStream* m_top = nullptr;
};

} // namespace kv
