#include "document/text_editor.h"

#include <cerrno>
#include <cstring>

#include "app/settings.h"
#include "platform/paths.h"
#include "platform/system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace brindle {
namespace {

#ifndef _WIN32
// The program's name without its folder.
std::string ProgramName(const std::string& program) {
    size_t slash = program.find_last_of('/');
    return slash == std::string::npos ? program : program.substr(slash + 1);
}

// Editors that need a terminal of their own.
bool IsConsoleEditor(const std::string& program) {
    static const char* kConsole[] = {"vi",    "vim",    "nvim",  "nano", "pico", "joe",  "jed",
                                     "micro", "mcedit", "ne",    "ed",   "ex",   "view", "vis",
                                     "kak",   "hx",     "helix", "mg",   "zile", "jove", "elvis",
                                     "nvi",   "jmacs",  "tilde", "dte"};
    std::string base = ProgramName(program);
    for (const char* c : kConsole)
        if (base == c) return true;
    return false;
}

std::string FirstWord(const std::string& command) {
    size_t start = command.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    size_t end = command.find_first_of(" \t", start);
    return command.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::optional<std::string> OnPath(SystemAccess& system, const std::string& program) {
    std::string path = system.getEnv("PATH").value_or("/usr/local/bin:/usr/bin:/bin");
    for (size_t pos = 0; pos <= path.size();) {
        size_t next = path.find(':', pos);
        if (next == std::string::npos) next = path.size();
        std::string dir = path.substr(pos, next - pos);
        if (!dir.empty()) {
            std::string candidate = dir + "/" + program;
            if (::access(candidate.c_str(), X_OK) == 0 && FileExists(candidate)) return candidate;
        }
        pos = next + 1;
    }
    return std::nullopt;
}

struct DesktopEditor {
    const char* program;
    const char* waitOption;  // keeps the program running until its window closes
    const char* desktop;     // the desktop it belongs to (XDG_CURRENT_DESKTOP), first choice there
};
const DesktopEditor kDesktopEditors[] = {
    {"gnome-text-editor", "--standalone", "GNOME"},
    {"gedit", "--wait", "GNOME"},
    {"kate", "--block", "KDE"},
    {"mousepad", "--disable-server", "XFCE"},
    {"geany", "--new-instance", ""},
};
#endif

}  // namespace

std::optional<EditorCommand> FindTextEditor(SystemAccess& system, bool haveTerminal) {
#ifdef _WIN32
    (void)haveTerminal;
    if (std::optional<std::string> notepad = NotepadPath(system)) return EditorCommand{"Notepad", {*notepad}};
    return std::nullopt;
#else
    for (const char* var : {"VISUAL", "EDITOR"}) {
        std::string value = system.getEnv(var).value_or("");
        std::string program = FirstWord(value);
        if (program.empty() || (!haveTerminal && IsConsoleEditor(program))) continue;
        // Through the shell, so that options in the variable work as they do for other programs.
        return EditorCommand{ProgramName(program), {"/bin/sh", "-c", value + " \"$1\"", "sh"}};
    }
    std::string desktop = ToUpperAscii(system.getEnv("XDG_CURRENT_DESKTOP").value_or(""));
    for (int pass = 0; pass < 2; ++pass) {
        for (const DesktopEditor& e : kDesktopEditors) {
            bool own = *e.desktop && desktop.find(e.desktop) != std::string::npos;
            if ((pass == 0) != own) continue;
            if (std::optional<std::string> path = OnPath(system, e.program))
                return EditorCommand{e.program, {*path, e.waitOption}};
        }
    }
    return std::nullopt;
#endif
}

bool RunAndWait(const std::vector<std::string>& argv, std::string& error, int* exitCode) {
    if (argv.empty()) {
        error = std::strerror(ENOENT);
        return false;
    }
#ifdef _WIN32
    std::string commandLine;
    for (const std::string& a : argv) {
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += QuoteCommandLineArgument(a);
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        error = WindowsErrorText(GetLastError());
        return false;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    if (exitCode) *exitCode = static_cast<int>(code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
#else
    // The child reports a failed exec through a pipe that closes by itself when exec succeeds.
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid < 0) {
        error = std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        ::execvp(args[0], args.data());
        int e = errno;
        ssize_t ignored = ::write(fds[1], &e, sizeof e);
        (void)ignored;
        ::_exit(127);
    }
    ::close(fds[1]);
    int childErrno = 0;
    ssize_t n;
    do {
        n = ::read(fds[0], &childErrno, sizeof childErrno);
    } while (n < 0 && errno == EINTR);
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (n == static_cast<ssize_t>(sizeof childErrno)) {
        error = std::strerror(childErrno);
        return false;
    }
    if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
#endif
}

SystemTextEditor::SystemTextEditor(SystemAccess& system) {
#ifdef _WIN32
    command_ = FindTextEditor(system, false);
#else
    command_ = FindTextEditor(system, ::isatty(0) && ::isatty(1));
#endif
}

std::string SystemTextEditor::MissingMessage() const {
#ifdef _WIN32
    return "Can't find Notepad.exe!";
#else
    return "Can't find a text editor!\n\nName one in the VISUAL or EDITOR environment variable.";
#endif
}

std::string SystemTextEditor::Name() const {
    return command_ ? command_->name : "Notepad";
}

bool SystemTextEditor::EditAndWait(const std::string& path, std::string& error) {
    if (!command_) {
        error = std::strerror(ENOENT);
        return false;
    }
    std::vector<std::string> argv = command_->argv;
    argv.push_back(path);
    return RunAndWait(argv, error);
}

}  // namespace brindle
