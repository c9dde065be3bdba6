// Feeds arbitrary bytes to the LZ77 + range coder decoder, then checks that
// the encoder's output for some of them decodes back to them.
#include "storage/QzInterface.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace kv;

namespace {

std::vector<std::uint8_t> Decode(int method, const std::uint8_t* data, std::size_t size,
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr int kMethod = kQzMethodLzrc;
    Decode(kMethod, data, size, 1 << 22);
    // The encoder's 1.4 MB of tables dominate a run; round-trip only every
    // eighth input so that the decoder gets most of the time.
    if (size == 0 || (data[0] & 7) != 0) return 0;

    std::vector<std::uint8_t> packed;
    QzHandle* w = QzOpenMemoryForWriting(packed);
    QzBeginCodec(w, kMethod);
    QzWrite(w, data, size, nullptr);
    QzClose(w);
    const auto back = Decode(kMethod, packed.data(), packed.size(), size + 1);
    if (back.size() != size || (size > 0 && std::memcmp(back.data(), data, size) != 0))
        std::abort();
    return 0;
}
