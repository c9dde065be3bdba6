// Arbitrary bytes as a BMP file: every header generation, bit fields and
// run-length codes must end in a picture or a coded failure.
#include "BmpCodec.h"
#include "FormatFuzzing.h"

using namespace kvf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file(data, size);
    fuzz::Expect([&] { fuzz::Touch(DecodeBmp(file, fuzz::SmallLimits())); });
    fuzz::Expect([&] { DescribeBmp(file); });
    return 0;
}
