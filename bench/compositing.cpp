// Flatten, blend over, copy, scale alpha, render magnified and reduce levels,
// each beside a memcpy of the same bytes.
#include "BenchSupport.h"
#include "model/Compositor.h"
#include "model/Flattener.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "model/LevelReducer.h"
#include "model/MagnifiedRenderer.h"

#include <memory>
#include <vector>

namespace kv::bench {
namespace {

constexpr std::int32_t kSide = 256;
constexpr std::int64_t kLayerPixels = std::int64_t{kSide} * kSide;

void BM_Flatten8Layers(benchmark::State& state) {
    Image image;
    image.lockUpdates();
    image.setSize(kSide, kSide);
    for (std::uint32_t i = 0; i < 8; ++i) {
        LayerBase* layer = image.insertLayer(std::make_unique<Layer>());
        CopyRaster(layer->pixels(), 0, 0, IconLike(kSide, kSide, i));
        layer->setOpacity(0.7f);
    }
    PixelArray composite(kSide, kSide);
    for (auto _ : state) {
        Flatten(composite, composite.bounds(), *image.bottomLayer(), *image.topLayer());
        benchmark::DoNotOptimize(composite.data());
    }
    ReportMegapixels(state, 8.0 * kLayerPixels); // every layer's pixels pass once
}
BENCHMARK(BM_Flatten8Layers);
BENCHMARK_CAPTURE(MemcpyPixels, flatten_8_layers, 8 * kLayerPixels);

template <PixelArray (*Content)(std::int32_t, std::int32_t, std::uint32_t)>
void BM_BlendOver(benchmark::State& state) {
    const PixelArray src = Content(kSide, kSide, 1);
    const PixelArray base = IconLike(kSide, kSide, 2);
    PixelArray dst(kSide, kSide);
    CopyRaster(dst, 0, 0, base);
    const float opacity = static_cast<float>(state.range(0)) / 100.0f;
    for (auto _ : state) {
        BlendOver(dst, Point{0, 0}, src, opacity);
        benchmark::DoNotOptimize(dst.data());
    }
    ReportMegapixels(state, kLayerPixels);
}
BENCHMARK(BM_BlendOver<IconLike>)->Arg(70)->Arg(100);
BENCHMARK(BM_BlendOver<Noise>)->Arg(70)->Arg(100);

void BM_Copy(benchmark::State& state) {
    const PixelArray src = IconLike(kSide, kSide, 1);
    PixelArray dst(kSide, kSide);
    for (auto _ : state) {
        CopyRaster(dst, 0, 0, src);
        benchmark::DoNotOptimize(dst.data());
    }
    ReportMegapixels(state, kLayerPixels);
}
BENCHMARK(BM_Copy);

void BM_ScaleAlpha(benchmark::State& state) {
    PixelArray raster = IconLike(kSide, kSide, 1);
    // Alternating opacities keep the alphas from collapsing to 0 over the run.
    float opacity = 0.7f;
    for (auto _ : state) {
        ScaleAlpha(raster, opacity);
        opacity = opacity < 1.0f ? 0.999f : 0.7f;
        benchmark::DoNotOptimize(raster.data());
    }
    ReportMegapixels(state, kLayerPixels);
}
BENCHMARK(BM_ScaleAlpha);
BENCHMARK_CAPTURE(MemcpyPixels, one_layer, kLayerPixels);

void BM_RenderZoom8(benchmark::State& state) {
    const auto operation = static_cast<RenderOperation>(state.range(0));
    const PixelArray src = IconLike(kSide, kSide, 3);
    PixelArray view(kSide * 8, kSide * 8);
    view.fill(0xFF808080u);
    for (auto _ : state) {
        RenderMagnified(view, view.bounds(), Point{0, 0}, 8, src, operation, 0.7f);
        benchmark::DoNotOptimize(view.data());
    }
    ReportMegapixels(state, 64.0 * kLayerPixels); // view pixels written
}
BENCHMARK(BM_RenderZoom8)
    ->Arg(static_cast<int>(RenderOperation::Copy))
    ->Arg(static_cast<int>(RenderOperation::Blend));
BENCHMARK_CAPTURE(MemcpyPixels, zoom8_view, 64 * kLayerPixels);

template <PixelArray (*Content)(std::int32_t, std::int32_t, std::uint32_t)>
void BM_ReduceLevels2048(benchmark::State& state) {
    Layer layer;
    layer.setSize(kSide, kSide);
    layer.setSupersampled(true);
    CopyRaster(layer.editablePixels(), 0, 0, Content(kSide * 8, kSide * 8, 4));
    for (auto _ : state) {
        ReduceLevels(*layer.supersampleSet());
        benchmark::DoNotOptimize(layer.pixels().data());
    }
    ReportMegapixels(state, 64.0 * kLayerPixels); // detail pixels read
}
BENCHMARK(BM_ReduceLevels2048<IconLike>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceLevels2048<Noise>)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemcpyPixels, detail_2048, 64 * kLayerPixels)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kv::bench

BENCHMARK_MAIN();
