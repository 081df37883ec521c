// The program: the command line runs here and needs nothing but the library; the windows are started
// only without options. Where they are a module of their own (PICKWELL_WINDOWS_MODULE), it is loaded
// from the program's folder then, so that a scan from a script loads no window library at all.
#include <iostream>
#include <string>
#include <vector>

#include "app/windows_entry.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include "lib/command_line.h"

#ifdef PICKWELL_WINDOWS_MODULE
#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace {

int RunWindowsModule(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec) program = fs::absolute(argv[0], ec);
    const fs::path module = program.parent_path() / PICKWELL_WINDOWS_MODULE;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = dlerror();
        std::cerr << "pickwell: cannot load the windows from " << module.string() << ": "
                  << (error != nullptr ? error : "unknown error") << "\n";
        return 1;
    }
    using Entry = int (*)(int, char**);
    auto entry = reinterpret_cast<Entry>(dlsym(handle, PICKWELL_WINDOWS_ENTRY));
    if (entry == nullptr) {
        std::cerr << "pickwell: " << module.string() << " has no " << PICKWELL_WINDOWS_ENTRY << "\n";
        return 1;
    }
    return entry(argc, argv);
}

}  // namespace
#endif

int main(int argc, char** argv) {
    // The command line is handled before any window code runs, so scripts need no display.
    std::vector<std::string> args(argv + 1, argv + argc);
    if (pickwell::WantsCommandLine(args)) return pickwell::RunCommandLine(args, std::cout, std::cerr);
#ifdef PICKWELL_WINDOWS_MODULE
    return RunWindowsModule(argc, argv);
#else
#ifdef _WIN32
    // Started from Explorer, Windows opened a console for this program alone; the windows do not
    // need it. Started from a command prompt, the console is the prompt's and stays.
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
#endif
    return PickwellRunWindows(argc, argv);
#endif
}
