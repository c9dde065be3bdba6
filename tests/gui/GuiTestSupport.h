#pragma once
// The one application object of the GUI test program, made at first use; an
// object that throws from inside an event; small images built straight from
// the model.
#include "model/Image.h"
#include "model/Layer.h"
#include "toolkit/KorvaneApplication.h"

#include <QApplication>
#include <QEvent>
#include <QObject>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace kv::test {

// Made at first use, destroyed after the last test (before the library's
// own statics go, which the devices of synthesized events are listed in).
KorvaneApplication& App();

// Runs its action when it receives a User event.
class Thrower : public QObject {
  public:
    std::function<void()> action;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) action();
        return QObject::event(e);
    }
    // Delivers one User event through the application's guard.
    bool fire() {
        QEvent event(QEvent::User);
        return QApplication::sendEvent(this, &event);
    }
};

// Records the exits an error asks for instead of leaving the event loop.
struct ExitRecorder {
    std::vector<int> codes;
    ExitRecorder() {
        App().setExitHook([this](int code) { codes.push_back(code); });
    }
    ~ExitRecorder() { App().setExitHook(nullptr); }
};

// An image whose layers are filled with the colours, bottom first; the
// current layer is the one at `current` (1-based).
inline std::unique_ptr<Image> ImageOf(std::int32_t w, std::int32_t h,
                                      std::initializer_list<Color32> fills,
                                      std::uint32_t current = 1) {
    auto image = std::make_unique<Image>();
    image->setSize(w, h);
    image->setTargetFormat(TargetFormat::Rgba32);
    for (Color32 fill : fills)
        image->insertLayer(std::make_unique<Layer>())->pixels().fill(fill);
    image->setCurrentLayer(image->layerAt(current));
    image->update();
    return image;
}

inline Layer& LayerOf(Image& image, std::uint32_t position) {
    return static_cast<Layer&>(*image.layerAt(position));
}

} // namespace kv::test
