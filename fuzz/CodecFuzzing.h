#pragma once
// Shared body of the codec fuzz targets: arbitrary bytes go to the decoder,
// then the encoder's output for the same bytes must decode back to them.
#include "storage/stream/QzInterface.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kv::fuzz {

// How much a decoder may produce from an input of `size` bytes. A few bytes
// can legitimately expand to megabytes; decoding them all finds nothing that
// a few hundred bytes of output do not, and costs the fuzzer most of its
// runs. Every branch of the decoders is reached well within this.
constexpr std::size_t DecodeLimit(std::size_t size) {
    return 64 * size + 256;
}

inline std::vector<std::uint8_t> Decode(QzMethod method, const std::uint8_t* data, std::size_t size,
                                        std::size_t limit) {
    std::vector<std::uint8_t> out;
    QzHandle* h = QzOpenMemoryForReading(data, size);
    QzBeginCodec(h, method);
    std::uint8_t buffer[4096];
    while (out.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - out.size());
        std::size_t got = 0;
        QzRead(h, buffer, want, &got);
        out.insert(out.end(), buffer, buffer + got);
        if (got < want) break;
    }
    QzAtEnd(h);
    QzEndCodec(h);
    QzClose(h);
    return out;
}

// Whether this input is one of the roughly one in `every` that also goes
// through a round trip. A hash of the whole input rather than one of its
// bytes, so that the share stays put however the corpus grows: a byte test
// is inherited by most mutations of an input that passed it.
inline bool Sampled(const std::uint8_t* data, std::size_t size, std::uint32_t every) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    return hash % every == 0;
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
