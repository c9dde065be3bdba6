#pragma once
// Shared by the benchmarks that measure the Qt window: pictures of layered
// images to draw, and the main() that makes the application object first.
#include "BenchSupport.h"
#include "editing/history/ActionManager.h"
#include "model/Image.h"
#include "model/Layer.h"
#include "toolkit/KorvaneApplication.h"

#include <QApplication>

#include <memory>

namespace kv::bench {

// A square 32-bit image of `layers` icon-like layers, the top one current;
// each layer's pattern comes from `seed` plus its position.
inline std::unique_ptr<Image> LayeredImage(std::int32_t side, std::uint32_t layers,
                                           std::uint32_t seed) {
    auto image = std::make_unique<Image>();
    ImageUpdateLock lock(*image);
    image->setSize(side, side);
    image->setTargetFormat(TargetFormat::Rgba32);
    for (std::uint32_t i = 0; i < layers; ++i) {
        LayerBase* layer = image->insertLayer(std::make_unique<Layer>());
        CopyRaster(static_cast<Layer*>(layer)->pixels(), 0, 0, IconLike(side, side, seed + i));
    }
    image->setCurrentLayer(image->topLayer());
    return image;
}

// Runs the registered benchmarks off-screen (unless a platform is chosen)
// with the application object and the undo histories in place. A window
// system chosen without a display to reach would stop the program at its
// start, so off-screen stands in for it then.
inline int RunGuiBenchmarks(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty() ||
        (!display && (platform.startsWith("xcb") || platform.startsWith("wayland"))))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    InstallActionManagers();
    KorvaneApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kv::bench
