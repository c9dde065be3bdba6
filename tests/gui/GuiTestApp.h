#pragma once
// The one application object of the GUI tests, made on first use.
#include "toolkit/KorvaneApplication.h"

namespace kv::test {

inline KorvaneApplication& GuiTestApp() {
    static int argc = 1;
    static char name[] = "korvane-test";
    static char* argv[] = {name, nullptr};
    static KorvaneApplication app(argc, argv);
    return app;
}

} // namespace kv::test
