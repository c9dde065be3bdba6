#include "storage/QzHandle.h"

#include "storage/QzStream.h"

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
