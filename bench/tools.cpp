// Tool speed, each driven through the tool as the view drives it.
//
// Brush: a 200-dab stroke of size 100 on a 256 x 256 layer, supersampled
// (painted on its 2048 x 2048 detail level) and plain, from press to
// release, so each figure includes the refresh of the lower levels after
// every dab, the image update over the stroke and recording it for undo. One
// pointer move per dab, as a steady hand gives. Target: at least 500 dabs/s
// on the supersampled layer, so painting keeps up with the pointer.
//
// Flood fill, gradient and move: the largest rasters a tool works on, a
// 2048 x 2048 detail level and a 2048 x 2048 plain layer. Target: under 50 ms
// each, so a click or a step of a drag answers at once. The fill and the
// gradient are measured twice: the tool's own work (growing the region and
// painting it, computing and laying the gradient), and the whole click from
// press to recorded action, which adds the undo record of every changed
// pixel, the lower levels and the image update.
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "settings/SettingsStore.h"
#include "tools/fill/RegionFiller.h"
#include "tools/framework/CoveragePaint.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSet.h"
#include "tools/framework/ToolSettings.h"
#include "tools/gradient/GradientFill.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace kv;

// A view that shows the image at zoom 1 and wants nothing else.
class QuietHost final : public ToolHost {
  public:
    explicit QuietHost(Image& image) : m_image(image) {}
    Image* image() override { return &m_image; }
    int zoom() const override { return 1; }
    ChannelMode channelMode() const override { return ChannelMode::Normal; }
    ModifierKeys modifierKeys() const override { return {}; }
    void invalidate(const Rect&) override {}
    void repaintView() override {}
    void refreshCursor() override {}
    void setStatusText(StatusField, const std::string&) override {}
    PointerSample samplePointer(MouseButton) override { return {pointer, false}; }
    void beep() override {}
    void colorsChanged() override {}
    void refreshAfterEdit(Image&) override {}
    void showOptionsPanel(const OptionsPanel&) override {}
    void setMouseCapture(bool) override {}
    void setAutoScrollTimer(bool) override {}

    ImagePoint pointer;

  private:
    Image& m_image;
};

constexpr std::int32_t kSize = 256;
constexpr std::int32_t kDabs = 200;
constexpr std::uint32_t kBrushSize = 100;

std::unique_ptr<Image> MakeCanvas(bool supersampled, std::int32_t size = kSize) {
    InstallActionManagers();
    auto image = std::make_unique<Image>();
    image->setSize(size, size);
    image->setTargetFormat(TargetFormat::Rgba32);
    auto* layer = static_cast<Layer*>(image->insertLayer(std::make_unique<Layer>()));
    layer->pixels().fill(MakeColor32(240, 230, 200, 255));
    layer->setSupersampled(supersampled);
    image->setCurrentLayer(layer);
    image->update();
    CommitSnapshots(*image);
    return image;
}

// The dab points: a tenth of the tip apart, back and forth across the middle
// row when the path is longer than the layer is wide.
std::vector<ImagePoint> StrokePath(std::int32_t tipUnits) {
    const std::int32_t step = tipUnits / 10;
    const std::int32_t low = tipUnits / 2, high = kSize * 256 - tipUnits / 2;
    std::vector<ImagePoint> path;
    std::int32_t x = low, direction = 1;
    for (std::int32_t i = 0; i < kDabs; ++i) {
        path.push_back({x, kSize * 128});
        if (x + direction * step > high || x + direction * step < low) direction = -direction;
        x += direction * step;
    }
    return path;
}

void BrushStroke(benchmark::State& state) {
    const bool supersampled = state.range(0) != 0;
    auto image = MakeCanvas(supersampled);
    SettingsStore settings("/nonexistent/");
    settings.unsignedSetting("Drawing.Tools.Brush.Size").setValue(kBrushSize);
    settings.unsignedSetting("Drawing.Tools.Brush.Hardness").setValue(50);
    QuietHost host(*image);
    ToolSet tools(host, settings);
    tools.select(ToolId::Brush);
    Tool& brush = *tools.current();
    const std::vector<ImagePoint> path =
        StrokePath(static_cast<std::int32_t>(kBrushSize) * (supersampled ? 32 : 256));
    auto& history = *static_cast<ActionManager*>(image->history());

    for (auto _ : state) {
        host.pointer = path.front();
        brush.resume(path.front());
        brush.getCursor(path.front());
        brush.mouseMove(path.front());
        brush.mouseDown(MouseButton::Left, path.front());
        for (std::size_t i = 1; i < path.size(); ++i) {
            host.pointer = path[i];
            brush.mouseMove(path[i]);
        }
        brush.mouseUp(MouseButton::Left, path.back());
        brush.endDrag();
        state.PauseTiming();
        if (history.count() != 1) {
            state.SkipWithError("the stroke recorded no action");
            return;
        }
        history.clear();
        state.ResumeTiming();
    }
    state.counters["dabs/s"] =
        benchmark::Counter(static_cast<double>(kDabs) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

BENCHMARK(BrushStroke)->ArgName("supersampled")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The tool set over a canvas, with the tool chosen and the pointer in the view.
struct Bench {
    Bench(std::unique_ptr<Image> canvas, ToolId id) : image(std::move(canvas)), host(*image) {
        tools.select(id);
        tool().resume({});
        history().clear();
    }
    Tool& tool() { return *tools.current(); }
    ActionManager& history() { return *static_cast<ActionManager*>(image->history()); }
    void click(ImagePoint p) { drag(p, p); }
    void drag(ImagePoint from, ImagePoint to) {
        host.pointer = from;
        tool().getCursor(from);
        tool().mouseDown(MouseButton::Left, from);
        tool().mouseMove(to);
        tool().mouseUp(MouseButton::Left, to);
        tool().endDrag();
    }

    std::unique_ptr<Image> image;
    SettingsStore settings{"/nonexistent/"};
    QuietHost host;
    ToolSet tools{host, settings};
};

// A click in the middle of a flat 2048 x 2048 detail level (a 256 x 256
// supersampled layer) from the press to the recorded action: the region is
// the whole level. The colours alternate so that every click fills
// everything again.
void FloodFill(benchmark::State& state) {
    Bench bench(MakeCanvas(true), ToolId::FloodFill);
    const Color32 colors[2] = {MakeColor32(10, 20, 30, 255), MakeColor32(240, 230, 200, 255)};
    int i = 0;
    for (auto _ : state) {
        bench.tools.settings().primaryColor.setValue(colors[i++ % 2]);
        bench.click({kSize * 128, kSize * 128});
        state.PauseTiming();
        if (bench.history().count() != 1) {
            state.SkipWithError("the fill recorded no action");
            return;
        }
        bench.history().clear();
        state.ResumeTiming();
    }
    kv::bench::ReportMegapixels(state, 2048.0 * 2048.0);
}
BENCHMARK(FloodFill)->Unit(benchmark::kMillisecond);

// Growing the region of a flat 2048 x 2048 detail level from its middle and
// painting it, as the Flood Fill Tool does between the press and recording.
void FloodFillPaint(benchmark::State& state) {
    auto image = MakeCanvas(true);
    const PaintTarget target = *PaintTarget::Of(image.get(), ChannelMode::Normal);
    PixelArray& pixels = *target.pixels;
    MaskArray region(pixels.width(), pixels.height());
    const Color32 colors[2] = {MakeColor32(10, 20, 30, 255), MakeColor32(240, 230, 200, 255)};
    int i = 0;
    for (auto _ : state) {
        const Rect r = RegionFiller(pixels, region, ChannelMode::Normal, 0).run(1024, 1024);
        PaintCoverage(target, r, region, {}, colors[i++ % 2]);
        benchmark::DoNotOptimize(pixels.data());
    }
    kv::bench::ReportMegapixels(state, 2048.0 * 2048.0);
}
BENCHMARK(FloodFillPaint)->Unit(benchmark::kMillisecond);

constexpr std::int32_t kFar = 2048 * 256;
constexpr ImagePoint kGradientStart{kFar / 8, kFar / 5};
constexpr ImagePoint kGradientEnd{kFar - kFar / 7, kFar - kFar / 9};

// A diagonal gradient computed and laid over a 2048 x 2048 layer, linear and
// radial, as the Gradient Tool does between the press and recording.
void GradientPaint(benchmark::State& state) {
    auto image = MakeCanvas(false, 2048);
    const PaintTarget target = *PaintTarget::Of(image.get(), ChannelMode::Normal);
    const Gradient gradient{
        static_cast<GradientType>(state.range(0)), kGradientStart,
        Point{kGradientEnd.x - kGradientStart.x, kGradientEnd.y - kGradientStart.y},
        MakeColor32(10, 20, 30, 255), MakeColor32(240, 230, 200, 40)};
    for (auto _ : state) {
        PaintGradient(target, target.pixels->bounds(), gradient);
        benchmark::DoNotOptimize(target.pixels->data());
    }
    kv::bench::ReportMegapixels(state, 2048.0 * 2048.0);
}
BENCHMARK(GradientPaint)->ArgName("type")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The same gradient through the tool, from the press to the recorded action.
void Gradient(benchmark::State& state) {
    Bench bench(MakeCanvas(false, 2048), ToolId::Gradient);
    bench.tools.settings().gradientType.setValue(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        bench.drag(kGradientStart, kGradientEnd);
        state.PauseTiming();
        if (bench.history().count() != 1) {
            state.SkipWithError("the gradient recorded no action");
            return;
        }
        bench.history().clear();
        state.ResumeTiming();
    }
    kv::bench::ReportMegapixels(state, 2048.0 * 2048.0);
}
BENCHMARK(Gradient)->ArgName("type")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One step of a Move drag on a 2048 x 2048 layer of icon-like pixels with an
// active selection, a soft-edged disc of the given radius (100: a small
// part of the layer; 700: most of it): the layer is redrawn from the
// snapshot in its two masked passes and the selection follows. The first
// step of the drag, which draws the whole raster, is not timed.
void MoveStep(benchmark::State& state) {
    const auto radius = static_cast<std::int32_t>(state.range(0));
    auto image = MakeCanvas(false, 2048);
    PixelArray content = kv::bench::IconLike(2048, 2048, 7);
    CopyRaster(image->currentLayer()->pixels(), 0, 0, content);
    MaskArray& mask = image->selection()->editableMask();
    const std::int32_t soft = (radius + 20) * (radius + 20);
    for (std::int32_t y = 0; y < 2048; ++y)
        for (std::int32_t x = 0; x < 2048; ++x) {
            const std::int32_t dx = x - 1024, dy = y - 1024, d2 = dx * dx + dy * dy;
            mask.set(x, y, d2 < radius * radius ? 255 : d2 < soft ? 128 : 0);
        }
    image->selection()->refreshFromDetail(nullptr);
    image->selection()->setActive(true);
    image->update();
    CommitSnapshots(*image);
    Bench bench(std::move(image), ToolId::Move);
    const ImagePoint press{1024 * 256, 1024 * 256};
    bench.tool().getCursor(press);
    bench.tool().mouseDown(MouseButton::Left, press);
    bench.tool().mouseMove({press.x + 5 * 256, press.y});
    std::int32_t step = 0;
    for (auto _ : state) {
        // Back and forth by whole pixels, so that every step redraws.
        step = step == 37 ? -21 : 37;
        bench.tool().mouseMove({press.x + step * 256, press.y + step * 128});
    }
    bench.tool().endDrag();
    kv::bench::ReportMegapixels(state, 2048.0 * 2048.0);
}
BENCHMARK(MoveStep)->ArgName("radius")->Arg(100)->Arg(700)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
