#pragma once
// The option, metric and color services: small questions a plug-in may ask.
#include <cstdint>

namespace kv {

// The side of the file dialogs' preview area, in pixels.
inline constexpr std::int32_t kFilePreviewAreaSize = 184;

// Called through the service entry, which clears the thread's error first.
// Unknown ids show "Unknown option (OID=%u)" (and likewise for metrics and
// colors), set code 3 and answer 0.
std::uint32_t HostOption(std::uint32_t optionId);
std::uint32_t HostMetric(std::uint32_t metricId);
// Colors as 0xAARRGGBB; the chequer colors come from the settings when they exist.
std::uint32_t HostColor(std::uint32_t colorId);
// The service that is not there yet: shows "SC is under construction", code 1.
std::uint32_t ServicePlaceholder();

} // namespace kv
