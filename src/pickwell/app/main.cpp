#include <wx/app.h>

#include <iostream>
#include <string>
#include <vector>

#include "lib/command_line.h"

int main(int argc, char** argv) {
    // The command line is handled before any window code runs, so scripts need no display.
    std::vector<std::string> args(argv + 1, argv + argc);
    if (pickwell::WantsCommandLine(args)) return pickwell::RunCommandLine(args, std::cout, std::cerr);
    return wxEntry(argc, argv);
}
