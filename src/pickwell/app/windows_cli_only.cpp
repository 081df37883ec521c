// A build without the window toolkit: started without options, the program says how to use it.
#include <iostream>

#include "app/windows_entry.h"
#include "lib/command_line.h"

extern "C" int PickwellRunWindows(int, char**) {
    std::cerr << "pickwell: this build has no windows; use the command line\n";
    return pickwell::RunCommandLine({}, std::cout, std::cerr);
}
