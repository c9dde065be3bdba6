#pragma once
// A tool host without a window: it answers with preset values, records what
// the tools ask of the view, and plays back a script of pointer samples.
#include "tools/framework/ToolHost.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kv::test {

class FakeToolHost final : public ToolHost {
  public:
    Image* image() override { return currentImage; }
    int zoom() const override { return zoomFactor; }
    ChannelMode channelMode() const override { return channel; }
    ModifierKeys modifierKeys() const override { return keys; }

    void invalidate(const Rect& units) override {
        if (!units.isEmpty()) invalidated.push_back(units);
    }
    void repaintView() override { ++repaints; }
    void refreshCursor() override {
        ++cursorRefreshes;
        if (onRefreshCursor) onRefreshCursor();
    }
    void setStatusText(StatusField field, const std::string& text) override {
        status[field] = text;
    }
    // The next scripted sample, else the pointer where it is.
    PointerSample samplePointer(MouseButton) override {
        ++pointerSamples;
        if (pointerScript.empty()) return {pointer, false};
        const PointerSample sample = pointerScript.front();
        pointerScript.pop_front();
        pointer = sample.position;
        return sample;
    }
    void beep() override { ++beeps; }
    void colorsChanged() override { ++colorChanges; }
    void refreshAfterEdit(Image&) override { ++editRefreshes; }
    void showOptionsPanel(const OptionsPanel& panel) override { shownPanel = panel; }
    void setMouseCapture(bool on) override { captured = on; }
    void setAutoScrollTimer(bool on) override { autoScrollTimer = on; }

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

    std::vector<Rect> invalidated;
    std::map<StatusField, std::string> status;
    OptionsPanel shownPanel;
    int repaints = 0, cursorRefreshes = 0, pointerSamples = 0, beeps = 0;
    int colorChanges = 0, editRefreshes = 0;
    bool captured = false, autoScrollTimer = false;
};

} // namespace kv::test
