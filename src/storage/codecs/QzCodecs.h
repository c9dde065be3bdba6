#pragma once

#include "storage/stream/QzMethod.h"

namespace kv {

class QzStream;

// Push a codec of the given library method onto the stack that `below` is
// the top of. Failures go to the stream's error: unknown method, no memory,
// or (decoders) data that cannot even be started.
void QzPushDecoder(QzStream& below, QzMethod method);
void QzPushEncoder(QzStream& below, QzMethod method);

} // namespace kv
