#include "commands/formats/ProgramFormats.h"

#include "commands/formats/BuiltInFormats.h"

namespace kv {
namespace {

FormatLibrary* g_formats = nullptr;

} // namespace

FormatLibrary& ProgramFormats() {
    static BuiltInFormats builtIn;
    return g_formats ? *g_formats : builtIn;
}

void SetProgramFormats(FormatLibrary* formats) {
    g_formats = formats;
}

} // namespace kv
