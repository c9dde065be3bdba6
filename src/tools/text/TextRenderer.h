#pragma once
#include "model/MaskArray.h"
#include "model/PixelArray.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kv {

enum class FontStyle { Regular = 0, Bold = 1, Italic = 2, BoldItalic = 3 };

struct TextFont {
    std::string face = "Arial";
    FontStyle style = FontStyle::Regular;
    // The character height in pixels.
    std::int32_t height = 0;

    bool bold() const { return style == FontStyle::Bold || style == FontStyle::BoldItalic; }
    bool italic() const { return style == FontStyle::Italic || style == FontStyle::BoldItalic; }
};

// What the platform measured of one line of text.
struct TextExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
    // The last character's trailing side bearing: negative when the glyph
    // reaches beyond its advance (an italic's overhang).
    std::int32_t trailingBearing = 0;
};

// Renders one line of text with a system font into a coverage mask, one byte
// per layer pixel (0 or 255: fonts are drawn without antialiasing), with
// three reduced levels beside it for previews at small zooms. Measuring and
// drawing are the platform's (the subclass's); the sizes, the memory bound
// and the masks are worked out here.
class TextRenderer {
  public:
    static constexpr int kLevels = 4;

    virtual ~TextRenderer();

    // Bytes the surface and the masks may take together; 0 for no bound.
    void setMemoryLimit(std::size_t bytes) { m_memoryLimit = bytes; }
    void setFont(TextFont font) { m_font = std::move(font); }
    const TextFont& font() const { return m_font; }

    // Measures and draws the text. Too wide for the memory bound, it is cut
    // on the right; when the font or the surface cannot be made, or the text
    // is empty, the size is 0 x 0.
    void render(const std::string& text);
    // Frees the surface and the masks.
    void release();

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    // Level 3 has one byte per text pixel (rounded up to multiples of 8);
    // each lower level is reduced 2 x 2 from the one above.
    const MaskArray& mask(int level) const { return m_masks[static_cast<std::size_t>(level)]; }
    const PixelArray& surface() const { return m_surface; }

    // The widest text of a height that the memory bound allows: each pixel
    // takes 4 bytes of surface and 1 + 1/4 + 1/16 + 1/64 bytes of masks,
    // 341/64 bytes in all; rounded to nearest.
    static std::int32_t MaxWidthFor(std::size_t limit, std::int32_t height);

  protected:
    // False when the font cannot be made.
    virtual bool measure(const std::string& text, const TextFont& font, TextExtent& extent) = 0;
    // Draws the text in white with a transparent background at the surface's
    // top-left corner (the surface is black). False on failure.
    virtual bool draw(const std::string& text, const TextFont& font, PixelArray& surface) = 0;

  private:
    void clear();
    bool buildMasks();

    std::size_t m_memoryLimit = 0;
    TextFont m_font;
    PixelArray m_surface;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::array<MaskArray, kLevels> m_masks;
};

using TextRendererFactory = std::function<std::unique_ptr<TextRenderer>()>;
// The Text Tool gets its renderer from this factory when it is first made
// current (none installed: it renders nothing). The user interface installs
// the platform's renderer at start-up.
void SetTextRendererFactory(TextRendererFactory factory);
std::unique_ptr<TextRenderer> CreateTextRenderer();

} // namespace kv
