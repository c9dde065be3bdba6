#pragma once
#include "tools/framework/PaintingTool.h"

#include <memory>
#include <string>

namespace kv {

class Image;
class TextRenderer;

// Stamps one line of text, rendered with a system font, into the current
// layer. While the tool is current the text is kept rendered and previewed
// centred under the pointer, on the layer's pixel grid; a click imprints it
// in the button's colour where it was pressed.
class TextTool final : public PaintingTool {
  public:
    TextTool(ToolHost& host, ToolSettings& settings);
    ~TextTool() override;

    OptionsPanel buildOptionsPanel() const override;
    void activate() override;
    void deactivate() override;
    // The font name, style or size changed.
    void optionChanged() override;
    void suspend() override;
    void resume(ImagePoint p) override;
    void mouseMove(ImagePoint p) override;
    void paintOverlay(OverlayCanvas& canvas) override;

    const std::string& text() const { return m_text; }
    void setText(std::string text);
    // The rendered text (null until the tool is first made current without
    // a renderer installed).
    const TextRenderer* renderer() const { return m_renderer.get(); }
    // The text's rectangle centred on p, on the current layer's pixel grid
    // (image units); empty when nothing is rendered.
    Rect placement(ImagePoint p) const;

  protected:
    void startDrag(ImagePoint p) override;
    void finishDrag() override;
    void dragEnded() override;
    void modeChanged() override;

  private:
    void render();
    std::int32_t layerPixelUnits() const;
    // Where the preview is: the imprint position while pressed, else under
    // the pointer when a press would imprint.
    Rect previewRect() const;
    bool imprint(Image& image);

    std::string m_text = "TEXT";
    std::unique_ptr<TextRenderer> m_renderer;
    Rect m_imprint;
    Image* m_imprinted = nullptr;
};

} // namespace kv
