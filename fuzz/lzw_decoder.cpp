// Arbitrary bytes for the LZW decoder, and a round trip through its encoder.
#include "CodecFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::Decode(kv::QzMethod::Lzw, data, size, 1 << 22);
    kv::fuzz::RoundTrip(kv::QzMethod::Lzw, data, size);
    return 0;
}
