// What the command-line verbs of the editor's dialogs share: an editor without windows (settings,
// view, editing controller and document, as the editor wires them), the simulator mode and folder
// options, and messages printed to stderr exactly as the editor's boxes show them.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "app/settings.h"
#include "cli/sim_mode.h"
#include "document/document.h"
#include "platform/messages.h"
#include "view/editing.h"
#include "view/panel_view.h"

namespace brindle::cli {

// Every box's text on its own line of stderr; questions are answered by `answer` (--yes / --no;
// no answer means No) and printed with the answer.
class DialogMessageUi : public MessageUi {
  public:
    explicit DialogMessageUi(Answer answer) : answer_(answer) {}
    void showBox(BoxKind kind, const std::string& text, bool withOptOut) override;
    Answer ask(QuestionKind kind, const std::string& text, const std::string& title) override;

  private:
    Answer answer_;
};

// The options every dialog verb takes.
struct SessionOptions {
    std::string mode = "FS2000";
    std::string simDir;  // empty: three folders above the panel's folder
    bool yes = false, no = false;
    bool noBackup = false;
};
void AddSessionOptions(CLI::App* cmd, SessionOptions& options, bool withAnswers);

// The editor with one panel open at one window. The process-wide settings are set from the options
// (brindle-cli never loads or stores the user's settings).
class EditorSession {
  public:
    EditorSession();
    // Sets the mode and simulator folder: false (with the reason on stderr) when the mode is unknown.
    bool Configure(const SessionOptions& options, const std::string& panelPath);
    // Opens the panel showing window `window`; false when it can't be read or has no such window.
    bool Open(const std::string& panelPath, int window);
    // Saves the way the editor's Save does: in place (with a numbered backup when backups are on),
    // or to `out`. In place, an unchanged panel is left alone.
    bool Save(const std::string& out);

    Settings& settings() { return *settings_; }
    PanelView& View() { return view_; }
    EditingController& Editing() { return editing_; }
    PanelDocument& Document() { return document_; }
    ViewSync& Sync() { return sync_; }

  private:
    class HeadlessUi : public DocumentUi {
      public:
        std::optional<int> ChooseWindow(const Panel&, const std::string&) override { return std::nullopt; }
        std::optional<std::string> ChooseNewPanelFile(const std::string&) override { return std::nullopt; }
        std::optional<std::string> ChooseFileToOpen(const std::string&) override { return std::nullopt; }
        std::optional<std::string> ChooseBitmap(const std::string&) override { return std::nullopt; }
        bool RunOpenAircraft(OpenAircraftChooser&) override { return false; }
    };

    Settings* settings_;
    PanelView view_;
    EditingController editing_;
    HeadlessUi ui_;
    PanelViewSync sync_;
    PanelDocument document_;
};

// The answer the --yes / --no options give.
inline Answer AnswerOf(const SessionOptions& o) {
    return o.yes && !o.no ? Answer::Yes : Answer::No;
}

}  // namespace brindle::cli
