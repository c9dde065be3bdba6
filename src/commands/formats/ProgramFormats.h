#pragma once
#include "commands/formats/FormatLibrary.h"

namespace kv {

// The formats the running program imports and exports through: the plug-in
// host once start-up has loaded it, the built-in project type before and
// after. Menus and panels reach the formats here, as they reach the
// project through CurrentProject().
FormatLibrary& ProgramFormats();
// Null goes back to the built-in formats. The library must outlive its use.
void SetProgramFormats(FormatLibrary* formats);

} // namespace kv
