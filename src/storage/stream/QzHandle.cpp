#include "storage/stream/QzHandle.h"

#include "storage/stream/QzStream.h"

namespace kv {

QzHandle::~QzHandle() {
    while (m_top)
        destroyTop();
}

void QzHandle::destroyTop() {
    // The stream's destructor relinks m_top to the level below.
    delete m_top;
}

} // namespace kv
