#pragma once

// Where the windows live apart from the program (a loadable module), their entry point is looked up by
// this name.
#define PICKWELL_WINDOWS_ENTRY "PickwellRunWindows"

#if defined(_WIN32) || !defined(PICKWELL_WINDOWS_MODULE)
#define PICKWELL_WINDOWS_EXPORT
#else
#define PICKWELL_WINDOWS_EXPORT __attribute__((visibility("default")))
#endif

extern "C" int PickwellRunWindows(int argc, char** argv);
