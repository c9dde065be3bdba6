// Whole-image transforms on a 256 x 256 image with three plain layers, and on
// a 64 x 64 image whose one supersampled layer is transformed at 8x (512 x
// 512 detail pixels). Rates count the layer pixels rebuilt per run, beside a
// memcpy of the same bytes; the composite update at the end is included.
#include "BenchSupport.h"

#include "model/Image.h"
#include "model/ImageTransform.h"
#include "model/Layer.h"

#include <memory>

namespace {

using namespace kv;

std::unique_ptr<Image> MakeImage(std::int32_t size, int layers, bool supersampled) {
    auto image = std::make_unique<Image>();
    image->setSize(size, size);
    for (int i = 0; i < layers; ++i) {
        auto* layer = static_cast<Layer*>(image->insertLayer(std::make_unique<Layer>()));
        layer->pixels().assign(bench::IconLike(size, size, 5u + static_cast<std::uint32_t>(i)));
        layer->setSupersampled(supersampled);
    }
    image->update();
    return image;
}

double EditablePixels(const Image& image) {
    double n = 0;
    for (std::int32_t i = 1; i <= image.layerCount(); ++i) {
        const LayerBase& layer = *image.layerAt(static_cast<std::uint32_t>(i));
        const int f = layer.supersamplingFactor();
        n += static_cast<double>(layer.width() << f) * static_cast<double>(layer.height() << f);
    }
    return n;
}

void BM_Reorient(benchmark::State& state) {
    auto image = MakeImage(static_cast<std::int32_t>(state.range(0)),
                           3 - 2 * static_cast<int>(state.range(1)), state.range(1) != 0);
    int code = 3;
    for (auto _ : state) {
        ReorientImage(*image, code);
        code = code == 3 ? 1 : 3;
    }
    bench::ReportMegapixels(state, EditablePixels(*image));
}
BENCHMARK(BM_Reorient)->Args({256, 0})->Args({64, 1});

void BM_SetBounds(benchmark::State& state) {
    auto image = MakeImage(static_cast<std::int32_t>(state.range(0)),
                           3 - 2 * static_cast<int>(state.range(1)), state.range(1) != 0);
    const std::int32_t s = image->width();
    bool grow = true;
    for (auto _ : state) {
        SetImageBounds(*image, grow ? Rect{-1, -1, s + 1, s + 1} : Rect{1, 1, s + 1, s + 1});
        grow = !grow;
    }
    bench::ReportMegapixels(state, EditablePixels(*image));
}
BENCHMARK(BM_SetBounds)->Args({256, 0})->Args({64, 1});

void BM_Resize(benchmark::State& state) {
    auto image = MakeImage(static_cast<std::int32_t>(state.range(0)),
                           3 - 2 * static_cast<int>(state.range(1)), state.range(1) != 0);
    const std::int32_t s = image->width();
    bool grow = true;
    for (auto _ : state) {
        ResizeImage(*image, grow ? s + s / 4 : s, grow ? s + s / 4 : s);
        grow = !grow;
    }
    bench::ReportMegapixels(state, EditablePixels(*image));
}
BENCHMARK(BM_Resize)->Args({256, 0})->Args({64, 1});

void BM_MemcpySameBytes(benchmark::State& state) {
    bench::MemcpyPixels(state, 3 * 256 * 256);
}
BENCHMARK(BM_MemcpySameBytes);

} // namespace

BENCHMARK_MAIN();
