// The main view's repaint: a 1024 x 768 view of a 256 x 256 image of ten
// layers at factor 4 while the current layer changes, and a supersampled
// layer drawn from its 2048-pixel detail level. A frame should take under
// 16 ms (60 frames a second). Runs off-screen.
#include "GuiBenchSupport.h"
#include "settings/SettingsStore.h"
#include "ui/view/MainView.h"
#include "ui/view/ViewRenderer.h"

namespace kv::bench {
namespace {

constexpr std::int32_t kSide = 256;
constexpr int kViewWidth = 1024, kViewHeight = 768;

std::unique_ptr<Image> TenLayers(bool supersampled) {
    auto image = LayeredImage(kSide, supersampled ? 1 : 10, 0);
    ImageUpdateLock lock(*image);
    if (supersampled) {
        auto* layer = static_cast<Layer*>(image->layerAt(1));
        layer->setSupersampled(true);
        CopyRaster(layer->editablePixels(), 0, 0, IconLike(kSide * 8, kSide * 8, 99));
        layer->refreshFromDetail(nullptr);
    }
    image->setCurrentLayer(image->layerAt(supersampled ? 1 : 5));
    return image;
}

struct ViewBench {
    explicit ViewBench(bool supersampled, int level) : image(TenLayers(supersampled)) {
        view.resize(kViewWidth + 4, kViewHeight + 4); // the focus frame
        view.show();
        QApplication::processEvents();
        view.setImage(image.get());
        view.setZoomLevel(level);
        view.setScrollPosition({100, 100});
        QApplication::processEvents();
    }
    SettingsStore store{"/nonexistent/"};
    std::unique_ptr<Image> image;
    MainView view{store};
};

// One 16 x 16 dab of the current layer changes, then the view is drawn.
void Dab(Image& image, std::int64_t frame) {
    PixelArray& pixels = static_cast<Layer*>(image.currentLayer())->editablePixels();
    const std::int32_t at = static_cast<std::int32_t>(frame * 7 % (pixels.width() - 16));
    pixels.fillRect({at, at, at + 16, at + 16}, 0xFF000000u | static_cast<Color32>(frame));
}

// The whole view, as after scrolling or zooming.
void BM_ViewFullRepaintTenLayers(benchmark::State& state) {
    ViewBench bench(false, 2);
    std::int64_t frame = 0;
    for (auto _ : state) {
        Dab(*bench.image, frame++);
        bench.view.viewport()->repaint();
    }
    ReportMegapixels(state, double{kViewWidth} * kViewHeight);
}
BENCHMARK(BM_ViewFullRepaintTenLayers)->Unit(benchmark::kMillisecond);

// Only the dab's rectangle, as while painting.
void BM_ViewDabRepaintTenLayers(benchmark::State& state) {
    ViewBench bench(false, 2);
    std::int64_t frame = 0;
    for (auto _ : state) {
        Dab(*bench.image, frame);
        const std::int32_t at = static_cast<std::int32_t>(frame++ * 7 % (kSide - 16)) << 8;
        bench.view.invalidate({at, at, at + (16 << 8), at + (16 << 8)});
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ViewDabRepaintTenLayers)->Unit(benchmark::kMicrosecond);

// A supersampled layer at factors 8 to 64: the detail level (2048 x 2048)
// is what the view draws from.
void BM_ViewFullRepaintSupersampled(benchmark::State& state) {
    ViewBench bench(true, static_cast<int>(state.range(0)));
    std::int64_t frame = 0;
    for (auto _ : state) {
        Dab(*bench.image, frame++);
        bench.view.viewport()->repaint();
    }
    state.SetLabel("factor " + std::to_string(bench.view.zoom()));
    ReportMegapixels(state, double{kViewWidth} * kViewHeight);
}
BENCHMARK(BM_ViewFullRepaintSupersampled)->DenseRange(3, 8)->Unit(benchmark::kMillisecond);

// The picture alone, without the window system: how much of a frame is ours.
void BM_RenderViewTenLayers(benchmark::State& state) {
    const auto image = TenLayers(false);
    PixelArray buffer(kViewWidth, kViewHeight);
    ViewScene scene;
    scene.image = image.get();
    scene.zoom = static_cast<int>(state.range(0));
    scene.origin = {-100, -100};
    for (auto _ : state) {
        RenderView(buffer, buffer.bounds(), scene);
        benchmark::DoNotOptimize(buffer.data());
    }
    ReportMegapixels(state, double{kViewWidth} * kViewHeight);
}
BENCHMARK(BM_RenderViewTenLayers)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kv::bench

int main(int argc, char** argv) {
    return kv::bench::RunGuiBenchmarks(argc, argv);
}
