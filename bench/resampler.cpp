// The resampler at the sizes icons meet most, beside a memcpy of the larger
// of the two rasters.
#include "model/Resampler.h"
#include "BenchSupport.h"

namespace kv::bench {
namespace {

void BM_Resample(benchmark::State& state) {
    const auto from = static_cast<std::int32_t>(state.range(0));
    const auto to = static_cast<std::int32_t>(state.range(1));
    const PixelArray src = IconLike(from, from, 5);
    PixelArray dst(to, to);
    for (auto _ : state) {
        Resample(dst, src);
        benchmark::DoNotOptimize(dst.data());
    }
    const std::int32_t larger = from > to ? from : to;
    ReportMegapixels(state, static_cast<double>(larger) * larger);
}
BENCHMARK(BM_Resample)->Args({256, 48})->Args({16, 256});
BENCHMARK_CAPTURE(MemcpyPixels, side_256, 256 * 256);

} // namespace
} // namespace kv::bench

BENCHMARK_MAIN();
