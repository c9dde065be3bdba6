#include "tools/text/TextTool.h"

#include "model/Image.h"
#include "model/Layer.h"
#include "settings/TextSetting.h"
#include "settings/UnsignedSetting.h"
#include "tools/framework/CoveragePaint.h"
#include "tools/framework/OverlayCanvas.h"
#include "tools/framework/PaintTarget.h"
#include "tools/framework/StrokeProtocol.h"
#include "tools/framework/ToolHost.h"
#include "tools/framework/ToolSettings.h"
#include "tools/text/TextRenderer.h"

#include <algorithm>

namespace kv {
namespace {

constexpr const char* kStyles[] = {"Regular", "Bold", "Italic", "Bold Italic"};
constexpr ToolOption kOptions[] = {
    {nullptr, nullptr, OptionKind::TextField, 0, 0},
    {"Font:", kTextFontNameSetting, OptionKind::FontName, 0, 0},
    {nullptr, kTextFontStyleSetting, OptionKind::DropDown, 0, 3, kStyles},
    {nullptr, kTextFontSizeSetting, OptionKind::Number, 1, 999},
};

} // namespace

TextTool::TextTool(ToolHost& host, ToolSettings& settings)
    : PaintingTool(ToolId::Text, host, settings, CursorRole::Text,
                   "Left/right click to imprint the text. Use ALT to pick colors.") {}

TextTool::~TextTool() = default;

OptionsPanel TextTool::buildOptionsPanel() const {
    return {kOptions};
}

void TextTool::render() {
    if (!m_renderer) return;
    const std::uint32_t style = settings().textFontStyle.value();
    TextFont font;
    font.face = settings().textFontName.value();
    font.style = style <= 3 ? static_cast<FontStyle>(style) : FontStyle::Regular;
    font.height = static_cast<std::int32_t>(
        std::clamp<std::uint32_t>(settings().textFontSize.value(), 1, 999));
    m_renderer->setFont(std::move(font));
    m_renderer->setMemoryLimit(std::size_t{settings().textMemoryLimit.value()} << 20);
    host().invalidate(previewRect());
    m_renderer->render(m_text);
    host().invalidate(previewRect());
}

void TextTool::activate() {
    PaintingTool::activate();
    if (!m_renderer) m_renderer = CreateTextRenderer();
    render();
}

void TextTool::deactivate() {
    PaintingTool::deactivate();
    if (m_renderer) m_renderer->release();
}

void TextTool::optionChanged() {
    if (isActive()) render();
}

void TextTool::setText(std::string text) {
    m_text = std::move(text);
    if (isActive()) render();
}

std::int32_t TextTool::layerPixelUnits() const {
    const Layer* layer = PaintableLayer(host().image());
    return LayerPixelUnits(layer && layer->supersampled() ? kDetailLevel : 0);
}

Rect TextTool::placement(ImagePoint p) const {
    if (!m_renderer || m_renderer->width() == 0) return {};
    const std::int32_t u = layerPixelUnits();
    const std::int32_t w = m_renderer->width() * u, h = m_renderer->height() * u;
    const std::int32_t left = FloorToMultiple(p.x - w / 2 + u / 2, u);
    const std::int32_t top = FloorToMultiple(p.y - h / 2 + u / 2, u);
    return {left, top, left + w, top + h};
}

Rect TextTool::previewRect() const {
    if (m_state == ToolState::Drag) return m_imprint;
    if (m_state == ToolState::Idle && m_mode == ToolMode::Paint) return placement(currentPoint());
    return {};
}

void TextTool::suspend() {
    PaintingTool::suspend();
    host().invalidate(previewRect());
}

void TextTool::resume(ImagePoint p) {
    PaintingTool::resume(p);
    host().invalidate(previewRect());
}

void TextTool::modeChanged() {
    host().invalidate(placement(currentPoint()));
}

void TextTool::mouseMove(ImagePoint p) {
    const Rect old = previewRect();
    PaintingTool::mouseMove(p);
    if (m_state == ToolState::Idle && m_mode == ToolMode::Paint)
        host().invalidate(old.united(previewRect()));
}

void TextTool::startDrag(ImagePoint p) {
    m_imprint = placement(p);
    m_imprinted = nullptr;
    host().invalidate(m_imprint);
}

void TextTool::finishDrag() {
    if (Image* image = host().image(); image && imprint(*image)) m_imprinted = image;
}

void TextTool::dragEnded() {
    host().invalidate(m_imprint);
    if (m_imprinted) host().refreshAfterEdit(*m_imprinted);
    m_imprinted = nullptr;
}

bool TextTool::imprint(Image& image) {
    if (!image.selection() || !image.currentLayer()) return false;
    const std::optional<PaintTarget> target = PaintTarget::Of(&image, host().channelMode());
    if (!target) return false;
    const Rect units = m_imprint.intersected(target->boundsInUnits());
    if (units.isEmpty() || !BeginStroke(image)) return false;
    const Rect whole = UnitsToLayerPixels(m_imprint, target->level);
    PaintCoverage(*target, UnitsToLayerPixels(units, target->level),
                  m_renderer->mask(TextRenderer::kLevels - 1), {whole.left, whole.top},
                  paintColor());
    target->refreshFromDetail(units);
    host().invalidate(units);
    return CommitStroke(image, units, "Text");
}

void TextTool::paintOverlay(OverlayCanvas& canvas) {
    const Rect r = previewRect();
    if (r.isEmpty()) return;
    // The finest mask level whose cells are still at least a screen pixel.
    const std::int32_t u = layerPixelUnits();
    int level = TextRenderer::kLevels - 1;
    while (level > 0 && (u << (TextRenderer::kLevels - 1 - level)) * canvas.zoom() < 256)
        --level;
    canvas.coverage(m_renderer->mask(level), {r.left, r.top},
                    u << (TextRenderer::kLevels - 1 - level));
}

} // namespace kv
