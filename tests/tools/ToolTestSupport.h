#pragma once
// A bench for driving tools the way the view does: an image with one layer,
// the settings, the tool set and the view-to-tool bridge over a fake host.
#include "FakeToolHost.h"
#include "editing/ActionTestSupport.h"
#include "editing/history/Action.h"
#include "settings/SettingsStore.h"
#include "tools/framework/ToolSet.h"
#include "tools/framework/ViewToolBridge.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

namespace kv::test {

// The centre of image pixel (x, y), or a point given in image units.
constexpr ImagePoint At(std::int32_t x, std::int32_t y) {
    return {x * 256 + 128, y * 256 + 128};
}

// Image units from fractional image pixels.
constexpr ImagePoint Units(double x, double y) {
    return {static_cast<std::int32_t>(x * 256), static_cast<std::int32_t>(y * 256)};
}

constexpr Color32 kWhite = 0xFFFFFFFF;
constexpr Color32 kBlack = 0xFF000000;
constexpr Color32 kRed = MakeColor32(255, 0, 0, 255);

class ToolBench {
  public:
    explicit ToolBench(std::int32_t w = 16, std::int32_t h = 16, Color32 fill = kWhite,
                       bool supersampled = false)
        : image(MakeImage(w, h, fill)) {
        if (supersampled) {
            CurrentLayer(*image).setSupersampled(true);
            image->update();
            CommitSnapshots(*image);
        }
        host.currentImage = image.get();
        ManagerOf(*image).clear();
        // The view answers a cursor refresh by asking the tool again.
        host.onRefreshCursor = [this] { view.setCursor(host.pointer); };
    }

    Tool& use(ToolId id) {
        tools.select(id);
        view.setCursor(host.pointer);
        return *tools.current();
    }
    void set(const char* setting, std::uint32_t v) { store.unsignedSetting(setting).setValue(v); }
    void setColor(const char* setting, Color32 v) { store.colorSetting(setting).setValue(v); }
    void keys(ModifierKeys keys) {
        host.keys = keys;
        view.setCursor(host.pointer);
    }

    void move(ImagePoint p) {
        host.pointer = p;
        view.mouseMove(p);
    }
    void press(ImagePoint p, MouseButton b = MouseButton::Left) {
        move(p);
        view.buttonDown(b, p);
    }
    void release(MouseButton b = MouseButton::Left) { view.buttonUp(b, host.pointer); }
    // Press at the first point, move through the others, release.
    void drag(std::initializer_list<ImagePoint> path, MouseButton b = MouseButton::Left) {
        press(*path.begin(), b);
        for (auto p = path.begin() + 1; p != path.end(); ++p)
            move(*p);
        release(b);
    }
    void click(ImagePoint p, MouseButton b = MouseButton::Left) { drag({p}, b); }

    Layer& layer() { return CurrentLayer(*image); }
    PixelArray& pixels() { return layer().editablePixels(); }
    ActionManager& history() { return ManagerOf(*image); }

    SettingsStore store{"/nonexistent/"};
    FakeToolHost host;
    ToolSet tools{host, store};
    ViewToolBridge view{tools, host};
    std::unique_ptr<Image> image;
};

// A picture of a rectangle, one character a pixel (`other` for values not
// in the map), rows separated by '/'.
template <typename T>
std::string Pattern(const RasterArray<T>& a, const Rect& r, const std::map<T, char>& chars,
                    char other = '#') {
    std::string s;
    for (std::int32_t y = r.top; y < r.bottom; ++y) {
        if (y > r.top) s += '/';
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const auto it = chars.find(a.get(x, y));
            s += it == chars.end() ? other : it->second;
        }
    }
    return s;
}

// '#' for pixels that differ from a colour, '.' for the others.
inline std::string ChangedPattern(const PixelArray& a, const Rect& r, Color32 unchanged) {
    return Pattern<Color32>(a, r, {{unchanged, '.'}});
}

// A mask as '#' (255), '.' (0) and '+' (partly set).
inline std::string MaskPattern(const MaskArray& m, const Rect& r) {
    return Pattern<std::uint8_t>(m, r, {{255, '#'}, {0, '.'}}, '+');
}

// An active selection of `value` inside the rectangle (editable-mask pixels).
inline void SelectRect(Image& image, const Rect& r, std::uint8_t value = 255) {
    Selection& selection = *image.selection();
    selection.editableMask().fill(0);
    selection.editableMask().fillRect(r, value);
    selection.refreshFromDetail(nullptr);
    selection.setActive(!selection.empty());
    CommitSnapshots(image);
}

inline int CountChanged(const PixelArray& a, Color32 unchanged) {
    int n = 0;
    for (std::int32_t y = 0; y < a.height(); ++y)
        for (std::int32_t x = 0; x < a.width(); ++x)
            n += a.get(x, y) != unchanged;
    return n;
}

} // namespace kv::test
