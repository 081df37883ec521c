#include "app/about.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/utsname.h>
#endif

namespace brindle {

std::string AboutMemoryText(std::uint64_t totalBytes, std::uint64_t availableBytes) {
    std::uint64_t totalMb = totalBytes / 1024 / 1024;
    // Memory sizes are reported a little under the module size; round up to what was installed.
    std::uint64_t rounded = (totalMb + 15) / 16 * 16;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%lluMB Memory, %lluMB Free", static_cast<unsigned long long>(rounded),
                  static_cast<unsigned long long>(availableBytes / 1024 / 1024));
    return buf;
}

std::string AboutBuildText() {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s Revision  %04d", "", kBuildNumber);
    return buf;
}

std::string AboutOsText(int osKind) {
    switch (osKind) {
        case 2:
            return "Windows 2000";
        case 1:
            return "Windows NT";
        case 4:
            return "Windows 98";
        case 5:
            return "Windows ME";
        case 3:
            return "Windows 95";
        default:
            break;
    }
#ifdef _WIN32
    return "Windows 95";
#else
    // Name the running system: the distribution's own name when it gives one, and the kernel.
    std::string pretty;
    std::ifstream rel("/etc/os-release");
    for (std::string line; std::getline(rel, line);) {
        if (line.rfind("PRETTY_NAME=", 0) == 0) {
            pretty = line.substr(12);
            if (pretty.size() >= 2 && pretty.front() == '"' && pretty.back() == '"')
                pretty = pretty.substr(1, pretty.size() - 2);
        }
    }
    struct utsname u {};
    std::string kernel;
    if (uname(&u) == 0) kernel = std::string(u.sysname) + " " + u.release;
    if (pretty.empty()) return kernel.empty() ? "Unknown system" : kernel;
    return kernel.empty() ? pretty : pretty + " (" + kernel + ")";
#endif
}

std::pair<std::uint64_t, std::uint64_t> PhysicalMemory() {
#ifdef _WIN32
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    if (!GlobalMemoryStatusEx(&m)) return {0, 0};
    return {m.ullTotalPhys, m.ullAvailPhys};
#else
    std::ifstream in("/proc/meminfo");
    std::uint64_t total = 0, avail = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream ss(line);
        std::string key;
        std::uint64_t kb = 0;
        ss >> key >> kb;
        if (key == "MemTotal:") total = kb * 1024;
        if (key == "MemAvailable:") avail = kb * 1024;
    }
    return {total, avail};
#endif
}

}  // namespace brindle
