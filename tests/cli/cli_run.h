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
// The program's stderr goes to `errFile` (dropped by default).
inline CliRun Cli(const std::string& args, const std::string& env = "",
                  const std::string& errFile = "/dev/null") {
    CliRun r;
    std::string cmd = env + " " + std::string(BRINDLE_CLI) + " " + args + " 2>'" + errFile + "'";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

// The same, with the program's stderr kept in `err`.
struct CliRunWithStderr : CliRun {
    std::string err;
};
inline CliRunWithStderr CliWithStderr(const std::string& args, const std::string& errFile) {
    CliRunWithStderr r;
    static_cast<CliRun&>(r) = Cli(args, "", errFile);
    if (FILE* f = std::fopen(errFile.c_str(), "rb")) {
        std::array<char, 4096> buf;
        std::size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) r.err.append(buf.data(), n);
        std::fclose(f);
    }
    std::remove(errFile.c_str());
    return r;
}

// One shell word for a path without single quotes.
inline std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

}  // namespace brindle::testing
