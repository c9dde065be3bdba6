#pragma once
// Shared body of the codec fuzz targets: arbitrary bytes go to the decoder,
// then the encoder's output for the same bytes must decode back to them.
#include "storage/stream/QzInterface.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kv::fuzz {

inline std::vector<std::uint8_t> Decode(QzMethod method, const std::uint8_t* data, std::size_t size,
                                        std::size_t limit) {
    std::vector<std::uint8_t> out;
    QzHandle* h = QzOpenMemoryForReading(data, size);
    QzBeginCodec(h, method);
    std::uint8_t buffer[4096];
    while (out.size() < limit) {
        std::size_t got = 0;
        QzRead(h, buffer, sizeof buffer, &got);
        out.insert(out.end(), buffer, buffer + got);
        if (got < sizeof buffer) break;
    }
    QzAtEnd(h);
    QzEndCodec(h);
    QzClose(h);
    return out;
}

inline void RoundTrip(QzMethod method, const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> packed;
    QzHandle* w = QzOpenMemoryForWriting(packed);
    QzBeginCodec(w, method);
    QzWrite(w, data, size, nullptr);
    QzClose(w);
    const auto back = Decode(method, packed.data(), packed.size(), size + 1);
    if (back.size() != size || (size > 0 && std::memcmp(back.data(), data, size) != 0))
        std::abort();
}

} // namespace kv::fuzz
