// The panels after one brush stroke in a project of ten 64 x 64 images of
// three layers: only the touched image's thumbnails are drawn again, and the
// whole refresh should stay under 5 ms. Runs off-screen.
#include "GuiBenchSupport.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "ui/MainWindow.h"
#include "ui/panels/WindowPanels.h"

namespace kv::bench {
namespace {

constexpr std::int32_t kSide = 64;

std::unique_ptr<Project> TenImages() {
    auto project = std::make_unique<Project>();
    for (std::uint32_t i = 0; i < 10; ++i)
        project->addImage(LayeredImage(kSide, 3, i * 3));
    project->setCurrentImage(project->firstImage());
    return project;
}

void BM_PanelsAfterStroke(benchmark::State& state) {
    CreateSettings();
    SetCurrentProject(TenImages());
    {
        MainWindow window;
        window.resize(1024, 768);
        window.showCurrentProject();
        window.show();
        QApplication::processEvents();
        Image& image = *CurrentProject()->currentImage();
        std::int64_t frame = 0;
        for (auto _ : state) {
            PixelArray& pixels = image.currentLayer()->pixels();
            const std::int32_t at = static_cast<std::int32_t>(frame++ * 5 % (kSide - 8));
            const Rect dab{at, at, at + 8, at + 8};
            pixels.fillRect(dab, 0xFF000000u | static_cast<Color32>(frame));
            image.update(dab);
            window.panels().imageChanged(image);
        }
    }
    SetCurrentProject(nullptr);
    DestroySettings();
}
BENCHMARK(BM_PanelsAfterStroke)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kv::bench

int main(int argc, char** argv) {
    return kv::bench::RunGuiBenchmarks(argc, argv);
}
