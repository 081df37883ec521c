// Runs brindle-cli as the user would, through the shell, and keeps what it wrote to stdout.
#pragma once

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "platform/system.h"

#include <utility>
#include <vector>
#else
#include <sys/wait.h>
#endif

namespace brindle::testing {

#ifdef _WIN32
namespace shell {

// Windows has no POSIX shell. The few shell forms the tests write are taken apart here: words in
// single or double quotes, NAME=value words before the program, the redirections 2>FILE, >FILE and
// 2>&1 (/dev/null is NUL); the program is then started directly.
struct Command {
    std::vector<std::pair<std::string, std::string>> env;
    std::vector<std::string> argv;
    std::string out, err;
    bool errToOut = false;
};

inline bool IsAssignment(const std::string& word) {
    const std::size_t eq = word.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    for (std::size_t i = 0; i < eq; ++i) {
        const char c = word[i];
        if (!(c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
              (i > 0 && c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

inline Command Parse(const std::string& line) {
    Command c;
    std::size_t i = 0;
    auto blank = [&](std::size_t at) { return line[at] == ' ' || line[at] == '\t'; };
    while (i < line.size()) {
        if (blank(i)) {
            ++i;
            continue;
        }
        if (line.compare(i, 4, "2>&1") == 0) {
            c.errToOut = true;
            i += 4;
            continue;
        }
        int redirect = 0;
        if (line.compare(i, 2, "2>") == 0) {
            redirect = 2;
            i += 2;
        } else if (line[i] == '>') {
            redirect = 1;
            i += 1;
        }
        while (redirect != 0 && i < line.size() && blank(i)) ++i;
        std::string word;
        bool quoted = false;
        std::size_t quotedFrom = std::string::npos;  // where the first quoted part starts in `word`
        while (i < line.size() && !blank(i)) {
            if ((line[i] == '\'' || line[i] == '"') && !quoted) quotedFrom = word.size();
            if (line[i] == '\'') {
                const std::size_t end = line.find('\'', i + 1);
                const std::size_t stop = end == std::string::npos ? line.size() : end;
                word += line.substr(i + 1, stop - i - 1);
                i = stop + 1;
                quoted = true;
            } else if (line[i] == '"') {
                for (++i; i < line.size() && line[i] != '"'; ++i) {
                    if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
                        ++i;
                    word += line[i];
                }
                ++i;
                quoted = true;
            } else {
                word += line[i++];
            }
        }
        if (word == "/dev/null") word = "NUL";
        if (redirect == 1) {
            c.out = word;
        } else if (redirect == 2) {
            c.err = word;
        } else if (c.argv.empty() && IsAssignment(word) && word.find('=') < quotedFrom) {
            const std::size_t eq = word.find('=');
            c.env.emplace_back(word.substr(0, eq), word.substr(eq + 1));
        } else if (!word.empty() || quoted) {
            c.argv.push_back(word);
        }
    }
    return c;
}

inline HANDLE OpenForChild(const std::string& name, bool write) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileA(name.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &sa, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The exit status, or -1 when the program could not be started or did not end by itself.
inline int Run(const std::string& line, std::string* out) {
    Command c = Parse(line);
    if (c.argv.empty()) return -1;
    for (char& ch : c.argv[0])
        if (ch == '/') ch = '\\';
    std::string commandLine;
    for (const std::string& a : c.argv)
        commandLine += (commandLine.empty() ? "" : " ") + QuoteCommandLineArgument(a);

    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE input = OpenForChild("NUL", false);
    HANDLE outFile = c.out.empty() ? nullptr : OpenForChild(c.out, true);
    HANDLE errFile = c.errToOut ? nullptr : OpenForChild(c.err.empty() ? "NUL" : c.err, true);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = input;
    si.hStdOutput = outFile ? outFile : writeEnd;
    si.hStdError = c.errToOut ? si.hStdOutput : errFile;

    // The child inherits this process's environment, changed for the call only.
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
    for (const auto& [name, value] : c.env) {
        std::array<char, 32768> old;
        const DWORD n = GetEnvironmentVariableA(name.c_str(), old.data(), static_cast<DWORD>(old.size()));
        saved.emplace_back(name,
                           n == 0 ? std::nullopt : std::optional<std::string>(std::string(old.data(), n)));
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    PROCESS_INFORMATION pi{};
    const bool started =
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    for (const auto& [name, value] : saved)
        SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);

    CloseHandle(writeEnd);
    CloseHandle(input);
    if (outFile) CloseHandle(outFile);
    if (errFile) CloseHandle(errFile);
    std::array<char, 4096> buf;
    DWORD n = 0;
    while (ReadFile(readEnd, buf.data(), static_cast<DWORD>(buf.size()), &n, nullptr) && n > 0)
        if (out) out->append(buf.data(), n);
    CloseHandle(readEnd);
    if (!started) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // A crash ends a Windows program with an exception code rather than an exit status.
    return code > 255 ? -1 : static_cast<int>(code);
}

}  // namespace shell
#endif

// Runs one shell command line; what it writes to stdout goes to `out` (when given). The exit status,
// -1 when the program did not exit normally.
inline int RunShell(const std::string& command, std::string* out) {
#ifdef _WIN32
    return shell::Run(command, out);
#else
    FILE* p = popen(command.c_str(), "r");
    if (!p) return -1;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        if (out) out->append(buf.data(), n);
    int st = pclose(p);
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
#endif
}

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
    r.status = RunShell(cmd, &r.out);
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
