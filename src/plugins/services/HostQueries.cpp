#include "plugins/services/HostQueries.h"

#include "kvx.h"
#include "model/Color32.h"
#include "platform/ErrorReporter.h"
#include "plugins/services/ServiceError.h"
#include "settings/Settings.h"

#include <string>

namespace kv {
namespace {

// The host's panel background, as plug-in dialogs may want to match it.
constexpr Color32 kPanelColor = MakeColor32(240, 240, 240, 255);

std::uint32_t Unknown(const char* what, const char* tag, std::uint32_t id) {
    ReportError(std::string("Unknown ") + what + " (" + tag + "=" + std::to_string(id) + ")");
    SetServiceError(KVX_ERROR_INVALID_PARAMETER);
    return 0;
}

Color32 ChequerColor(const char* setting, Color32 fallback) {
    return HaveSettings() ? Settings().colorValue(setting) : fallback;
}

} // namespace

std::uint32_t HostOption(std::uint32_t optionId) {
    if (optionId == KVX_OPTION_0 || optionId == KVX_OPTION_1) return 0;
    return Unknown("option", "OID", optionId);
}

std::uint32_t HostMetric(std::uint32_t metricId) {
    switch (metricId) {
    case KVX_METRIC_CONSTANT:
        return 30000000;
    case KVX_METRIC_PREVIEW_WIDTH:
    case KVX_METRIC_PREVIEW_HEIGHT:
        return kFilePreviewAreaSize;
    default:
        return Unknown("metric", "MID", metricId);
    }
}

std::uint32_t HostColor(std::uint32_t colorId) {
    switch (colorId) {
    case KVX_COLOR_PANEL:
        return kPanelColor;
    case KVX_COLOR_CHEQUER_A:
        return ChequerColor("UI.Colors.Chequer.A", MakeColor32(240, 240, 240, 255));
    case KVX_COLOR_CHEQUER_B:
        return ChequerColor("UI.Colors.Chequer.B", MakeColor32(192, 192, 192, 255));
    default:
        return Unknown("color", "CID", colorId);
    }
}

std::uint32_t ServicePlaceholder() {
    ReportError("SC is under construction");
    SetServiceError(KVX_ERROR_PLUGIN);
    return 0;
}

} // namespace kv
