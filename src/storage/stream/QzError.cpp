#include "storage/stream/QzError.h"

namespace kv {

namespace {
thread_local QzError t_errorWord = QzError::None;
}

QzError QzThreadError() {
    return t_errorWord;
}

void QzSetThreadError(QzError code) {
    t_errorWord = code;
}

} // namespace kv
