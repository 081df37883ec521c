// Runs brindle-cli as the user would, through the shell, and keeps what it wrote to stdout.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace brindle::testing {

struct CliRun {
    int status = -1;  // the exit status; -1 when the program did not exit normally
    std::string out;
};

// `args` are shell words (quote paths with Quote); `env` goes before the program, e.g. "TZ=UTC".
// The program's stderr is dropped.
inline CliRun Cli(const std::string& args, const std::string& env = "") {
    CliRun r;
    std::string cmd = env + " " + std::string(BRINDLE_CLI) + " " + args + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

// One shell word for a path without single quotes.
inline std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

}  // namespace brindle::testing
