// Palette generation, lookup and the palette path of an image update, on a
// 256x256 photo-like picture (smooth gradients plus grain, so the octree
// fills up and has to fold).
#include "model/Palette.h"
#include "model/Image.h"
#include "model/Layer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

namespace {

using namespace kv;

constexpr std::int32_t kSize = 256;

unsigned Channel(double v) {
    return static_cast<unsigned>(std::clamp(v, 0.0, 255.0));
}

void PaintPhotoLike(PixelArray& pixels) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> grain(-6, 6);
    for (std::int32_t y = 0; y < pixels.height(); ++y)
        for (std::int32_t x = 0; x < pixels.width(); ++x) {
            const double sky = y / 255.0;
            const double r = 90 + 120 * sky + 30 * std::sin(x / 17.0) + grain(rng);
            const double g = 140 + 60 * std::cos((x + y) / 41.0) - 50 * sky + grain(rng);
            const double b = 220 - 150 * sky + 25 * std::sin(x * y / 900.0) + grain(rng);
            pixels.set(x, y, MakeColor32(Channel(r), Channel(g), Channel(b), 255));
        }
}

const PixelArray& Photo() {
    static const PixelArray photo = [] {
        PixelArray p(kSize, kSize);
        PaintPhotoLike(p);
        return p;
    }();
    return photo;
}

Palette& PhotoPalette() {
    static Palette palette;
    if (palette.count() == 0) {
        palette.generate(Photo(), 256);
        palette.order();
    }
    return palette;
}

void BM_Quantize256(benchmark::State& state) {
    Palette palette;
    for (auto _ : state) {
        palette.generate(Photo(), 256);
        benchmark::DoNotOptimize(palette.count());
    }
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
BENCHMARK(BM_Quantize256)->Unit(benchmark::kMillisecond);

void BM_Order256(benchmark::State& state) {
    Palette palette;
    palette.generate(Photo(), 256);
    for (auto _ : state) {
        palette.order();
        benchmark::DoNotOptimize(palette.entry(0).r());
    }
}
BENCHMARK(BM_Order256)->Unit(benchmark::kMillisecond);

void BM_BuildLookup256(benchmark::State& state) {
    Palette& palette = PhotoPalette();
    for (auto _ : state) {
        palette.discardLookup();
        benchmark::DoNotOptimize(palette.lookup(MakeColor32(1, 2, 3, 255)));
    }
    state.counters["entries"] = palette.count();
    PaletteLookupTree tree;
    std::vector<Color32> colors;
    for (std::int32_t i = 0; i < palette.count(); ++i)
        colors.push_back(palette.entry(i).color());
    std::int32_t transparent = -1;
    tree.build(colors.data(), palette.count(), transparent);
    state.counters["nodes"] = tree.nodeCount();
}
BENCHMARK(BM_BuildLookup256)->Unit(benchmark::kMicrosecond);

void BM_MapThroughTree(benchmark::State& state) {
    Palette& palette = PhotoPalette();
    const PixelArray& photo = Photo();
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::int32_t y = 0; y < kSize; ++y) {
            const Color32* row = photo.row(y);
            for (std::int32_t x = 0; x < kSize; ++x)
                sum += palette.lookup(row[x]);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["Mpx/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSize * kSize / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MapThroughTree)->Unit(benchmark::kMillisecond);

// The same through whole rows, as the preview does it.
void BM_MapThroughTreeRows(benchmark::State& state) {
    Palette& palette = PhotoPalette();
    const PixelArray& photo = Photo();
    std::vector<std::int32_t> indexes(kSize);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::int32_t y = 0; y < kSize; ++y) {
            palette.lookupMany(photo.row(y), kSize, indexes.data());
            sum += indexes[static_cast<std::size_t>(y)];
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["Mpx/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSize * kSize / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MapThroughTreeRows)->Unit(benchmark::kMillisecond);

// The search the tree replaces: every entry for every pixel.
void BM_MapBruteForce(benchmark::State& state) {
    Palette& palette = PhotoPalette();
    const std::int32_t n = palette.count();
    std::vector<std::int32_t> rgb;
    for (std::int32_t i = 0; i < n; ++i) {
        const PaletteEntry& e = palette.entry(i);
        rgb.insert(rgb.end(), {e.r(), e.g(), e.b()});
    }
    const PixelArray& photo = Photo();
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::int32_t y = 0; y < kSize; ++y) {
            const Color32* row = photo.row(y);
            for (std::int32_t x = 0; x < kSize; ++x) {
                const std::int32_t r = static_cast<std::int32_t>(RedOf(row[x]));
                const std::int32_t g = static_cast<std::int32_t>(GreenOf(row[x]));
                const std::int32_t b = static_cast<std::int32_t>(BlueOf(row[x]));
                std::int32_t best = 0, bestDistance = INT32_MAX;
                for (std::int32_t i = 0; i < n; ++i) {
                    const std::int32_t dr = r - rgb[3 * i], dg = g - rgb[3 * i + 1],
                                       db = b - rgb[3 * i + 2];
                    const std::int32_t d = dr * dr + dg * dg + db * db;
                    if (d < bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
                sum += best;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["Mpx/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSize * kSize / 1e6, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MapBruteForce)->Unit(benchmark::kMillisecond);

// A whole update of an unlocked 8-bit image: composite, quantize, order,
// lookup build and preview. The one layer holds the picture too, so the
// composite step does real work where layers are flattened.
void BM_FullUpdate8Bit(benchmark::State& state) {
    Image image;
    image.setSize(kSize, kSize);
    LayerBase* layer = image.insertLayer(std::make_unique<Layer>());
    CopyRaster(layer->pixels(), 0, 0, Photo());
    CopyRaster(image.composite(), 0, 0, Photo());
    image.setTargetFormat(TargetFormat::Palette8);
    for (auto _ : state) {
        image.update();
        benchmark::DoNotOptimize(image.targetPreview()->get(0, 0));
    }
    state.counters["entries"] = image.palette()->count();
}
BENCHMARK(BM_FullUpdate8Bit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
