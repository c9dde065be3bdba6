#pragma once
#include "tools/text/TextRenderer.h"

namespace kv {

// The Text Tool's fonts through Qt: the platform's families, drawn without
// antialiasing into an image over the renderer's surface. Needs the
// application object.
class QtTextRenderer final : public TextRenderer {
  protected:
    bool measure(const std::string& text, const TextFont& font, TextExtent& extent) override;
    bool draw(const std::string& text, const TextFont& font, PixelArray& surface) override;
};

// Makes this the renderer the Text Tool takes when it is first made current.
void InstallQtTextRenderer();

} // namespace kv
