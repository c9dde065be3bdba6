#pragma once
#include "model/Color32.h"

#include <cstdint>
#include <vector>

namespace kv {

enum class ShellIcon { Application, Plugin, Project, Colors };

// The icon sizes installed into the icon theme.
inline constexpr std::int32_t kShellIconSizes[] = {16, 32, 48, 256};

// Draws one of our icons at size x size pixels (straight alpha, rows from the
// top): the program's icon, a tiled picture, and the three document icons, a
// page with a badge for its kind.
std::vector<Color32> RenderShellIcon(ShellIcon icon, std::int32_t size);

} // namespace kv
