// The external text editor of "Open config file in Notepad": a program started on a file that the
// editor waits for. On Windows it is the system's Notepad. Elsewhere it is the editor the user named
// in VISUAL or EDITOR (skipped when it is a console editor and there is no terminal to run it in),
// else a desktop text editor found on the PATH, started so that it runs until its window is closed.
// When none is found the shell can plug in its own (a built-in modal text editor).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"

namespace brindle {

class TextEditorLauncher {
  public:
    virtual ~TextEditorLauncher() = default;
    // Whether there is an editor to start.
    virtual bool Found() = 0;
    // The message when there is none.
    virtual std::string MissingMessage() const = 0;
    // Its name in messages ("Notepad", "gedit", ...).
    virtual std::string Name() const = 0;
    // Starts the editor on `path` and returns when it has ended. False, with the system's text in
    // `error`, when it could not be started.
    virtual bool EditAndWait(const std::string& path, std::string& error) = 0;
};

// A program and the arguments that go before the file name.
struct EditorCommand {
    std::string name;               // for messages
    std::vector<std::string> argv;  // the file's path is appended
};

// The editor to use. `haveTerminal` tells whether a console editor named in VISUAL or EDITOR could
// run in the terminal the program was started from.
std::optional<EditorCommand> FindTextEditor(SystemAccess& system, bool haveTerminal);

// Runs a program and waits for it to end. Returns false with the system's text in `error` when it
// could not be started; `exitCode` gets the program's exit status.
bool RunAndWait(const std::vector<std::string>& argv, std::string& error, int* exitCode = nullptr);

// The launcher of the running system (FindTextEditor with the process's terminal state).
class SystemTextEditor : public TextEditorLauncher {
  public:
    explicit SystemTextEditor(SystemAccess& system);
    bool Found() override { return command_.has_value(); }
    std::string MissingMessage() const override;
    std::string Name() const override;
    bool EditAndWait(const std::string& path, std::string& error) override;

  private:
    std::optional<EditorCommand> command_;
};

}  // namespace brindle
