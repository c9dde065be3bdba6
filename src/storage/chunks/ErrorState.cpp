#include "storage/chunks/ErrorState.h"

#include "platform/Exceptions.h"

namespace kv {

bool ErrorState::report(const std::string& message) {
    if (m_state != State::Failed) {
        m_state = State::Failed;
        m_message = message;
    }
    if (m_throwOnError) throw CKVException(m_message);
    return false;
}

void ErrorState::reset() {
    m_state = State::Ok;
    m_message.clear();
}

} // namespace kv
