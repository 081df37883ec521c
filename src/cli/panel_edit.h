// What the dialog verbs share: reading the panel with a Settings record of the command's own (the
// user's stored preferences are never read or changed), answering questions from --yes/--no,
// saving the way the editor saves (in place with a numbered backup when backups are on, or to -o).
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "cli/editor_session.h"
#include "panel/panel.h"
#include "platform/messages.h"

namespace brindle::cli {

struct PanelEditArgs {
    std::string panel;
    std::string output;
    std::string simDir;
    std::string mode = "fs2000";
    bool yes = false;
    bool no = false;
};

// --mode, --sim-dir and -o; `withAnswers` adds --yes/--no.
void AddPanelEditOptions(CLI::App* cmd, PanelEditArgs& args, bool withAnswers);

// Splits "a,b,c" into exactly `count` texts (blanks kept, as typed); nullopt for another count.
std::optional<std::vector<std::string>> SplitFields(const std::string& text, std::size_t count);

class PanelEditSession {
  public:
    // Messages go to stderr; questions are answered Yes only with --yes.
    explicit PanelEditSession(const PanelEditArgs& args);
    // Reads the panel; false (after the reader's messages) when it could not be read.
    bool Open();
    // Writes the panel: to -o, else in place as the editor's Save does. False when writing failed.
    bool Save();

    Settings settings;
    Panel panel;
    std::string panelFolder;  // absolute

  private:
    const PanelEditArgs& args_;
    StderrMessageUi ui_;
    ScopedMessageUi scope_;
};

}  // namespace brindle::cli
