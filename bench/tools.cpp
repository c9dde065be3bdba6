// Painting speed: a 200-dab Brush stroke of size 100 on a 256 x 256 layer,
// supersampled (painted on its 2048 x 2048 detail level) and plain, driven
// through the tool from press to release, so each figure includes the
// refresh of the lower levels after every dab, the image update over the
// stroke and recording it for undo. One pointer move per dab, as a steady
// hand gives. Target: at least 500 dabs/s on the supersampled layer, so
// painting keeps up with the pointer.
#include "editing/history/ActionManager.h"
#include "editing/records/Snapshots.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "settings/SettingsStore.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSet.h"

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

std::unique_ptr<Image> MakeCanvas(bool supersampled) {
    InstallActionManagers();
    auto image = std::make_unique<Image>();
    image->setSize(kSize, kSize);
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

} // namespace

BENCHMARK_MAIN();
