// Arbitrary bytes for the LZW decoder, and a round trip through its encoder.
#include "CodecFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::Decode(kv::kQzMethodLzw, data, size, 1 << 22);
    kv::fuzz::RoundTrip(kv::kQzMethodLzw, data, size);
    return 0;
}
