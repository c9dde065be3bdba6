// Arbitrary bytes for the LZW decoder, and for some of them a round trip
// through its encoder.
#include "CodecFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::Decode(kv::QzMethod::Lzw, data, size, kv::fuzz::DecodeLimit(size));
    // The encoder and the second decoder cost several decodes of a short
    // input; one input in four takes the round trip.
    if (kv::fuzz::Sampled(data, size, 4)) kv::fuzz::RoundTrip(kv::QzMethod::Lzw, data, size);
    return 0;
}
