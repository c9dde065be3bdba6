// Arbitrary bytes for the LZ77 + range coder decoder, and for some of them a
// round trip through its encoder.
#include "CodecFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::Decode(kv::QzMethod::Lzrc, data, size, 1 << 22);
    // The encoder's 2 MB of tables dominate a run; round-trip only every
    // eighth input so that the decoder gets most of the time.
    if (size != 0 && (data[0] & 7) == 0) kv::fuzz::RoundTrip(kv::QzMethod::Lzrc, data, size);
    return 0;
}
