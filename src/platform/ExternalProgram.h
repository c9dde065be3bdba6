#pragma once
#include <string>
#include <vector>

namespace kv {

// The full path of an executable found in $PATH; empty when there is none.
std::string FindProgramInPath(const std::string& name);
// Runs a program with its output discarded and waits for it. Returns its exit
// status, or -1 when it could not be started or did not exit normally.
int RunProgram(const std::string& path, const std::vector<std::string>& arguments);

} // namespace kv
