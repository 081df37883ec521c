#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pickwell {

// True when the arguments (without the program name) ask for a command-line run rather than the windows.
bool WantsCommandLine(const std::vector<std::string>& args);

// Runs "--scan FILE", "--extract FILE N OUT.bmp" or "--replace FILE N IN.bmp". Returns the exit status:
// 0 on success, 1 on any failure (with a message on `err`).
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pickwell
