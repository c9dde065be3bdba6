#pragma once
// A tool host without a window: it answers with preset values, keeps the
// status texts and the capture, and plays back a script of pointer samples.
#include "tools/framework/ToolHost.h"

#include <deque>
#include <functional>
#include <map>
#include <string>

namespace kv::test {

class FakeToolHost final : public ToolHost {
  public:
    Image* image() override { return currentImage; }
    int zoom() const override { return zoomFactor; }
    ChannelMode channelMode() const override { return channel; }
    ModifierKeys modifierKeys() const override { return keys; }

    void invalidate(const Rect&) override {}
    void repaintView() override {}
    void refreshCursor() override {
        if (onRefreshCursor) onRefreshCursor();
    }
    void setStatusText(StatusField field, const std::string& text) override {
        status[field] = text;
    }
    // The next scripted sample, else the pointer where it is.
    PointerSample samplePointer(MouseButton) override {
        if (pointerScript.empty()) return {pointer, false};
        const PointerSample sample = pointerScript.front();
        pointerScript.pop_front();
        pointer = sample.position;
        return sample;
    }
    void beep() override {}
    void colorsChanged() override {}
    void refreshAfterEdit(Image&) override {}
    void showOptionsPanel(const OptionsPanel&) override {}
    void setMouseCapture(bool on) override { captured = on; }
    void setAutoScrollTimer(bool) override {}

    std::string text(StatusField field) const {
        const auto it = status.find(field);
        return it == status.end() ? std::string() : it->second;
    }

    Image* currentImage = nullptr;
    int zoomFactor = 1;
    ChannelMode channel = ChannelMode::Normal;
    ModifierKeys keys;
    ImagePoint pointer;
    std::deque<PointerSample> pointerScript;
    std::function<void()> onRefreshCursor;
    std::map<StatusField, std::string> status;
    bool captured = false;
};

} // namespace kv::test
