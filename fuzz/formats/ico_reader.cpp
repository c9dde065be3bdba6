// Arbitrary bytes as an icon or cursor: the directory, every entry (bitmap
// or PNG) and the descriptions must end in pictures or a coded failure.
#include "FormatFuzzing.h"
#include "IconCodec.h"

using namespace kvf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes file(data, size);
    fuzz::Expect([&] {
        for (const IconImage& image : DecodeIcon(file, fuzz::SmallLimits()))
            fuzz::Touch(image.picture);
    });
    fuzz::Expect([&] { DescribeIconEntries(file); });
    return 0;
}
