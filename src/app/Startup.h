#pragma once

namespace kv {

class KorvaneApplication;

// The program from start to exit: process values, command line, the
// subsystems in their order, the event loop and the shut-down. Returns the
// process exit code (0 normal, 1 a failed registration, -1 a failed start).
int RunKorvane(int argc, char** argv);

// When an error ends the program, a modified open project is written to a
// recovery file first and the box names it.
void InstallFatalErrorRescue(KorvaneApplication& app);

} // namespace kv
