// Arbitrary bytes for the LZ77 + range coder decoder, and for some of them a
// round trip through its encoder.
#include "CodecFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::Decode(kv::QzMethod::Lzrc, data, size, kv::fuzz::DecodeLimit(size));
    // Setting up the encoder's 2 MB of tables costs some fifteen decodes, so
    // only one input in 64 takes the round trip and the decoder gets most of
    // the time.
    if (kv::fuzz::Sampled(data, size, 64)) kv::fuzz::RoundTrip(kv::QzMethod::Lzrc, data, size);
    return 0;
}
