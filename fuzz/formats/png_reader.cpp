// Arbitrary bytes as a PNG file, with the checksums off so that the fuzzer
// reaches past them; the header reader as well.
#include "FormatFuzzing.h"
#include "Png.h"

using namespace kvf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file(data, size);
    fuzz::Expect([&] { fuzz::Touch(DecodePng(file, fuzz::SmallLimits(), false)); });
    fuzz::Expect([&] { ReadPngInfo(file); });
    return 0;
}
