#include "cli/editor_session.h"

#include <iostream>

#include "platform/paths.h"

namespace brindle::cli {

void DialogMessageUi::showBox(BoxKind, const std::string& text, bool) {
    std::cerr << text << '\n';
}

Answer DialogMessageUi::ask(QuestionKind kind, const std::string& text, const std::string&) {
    Answer a = answer_;
    if (kind == QuestionKind::OkCancel) a = a == Answer::Yes ? Answer::Ok : Answer::Cancel;
    std::cerr << text << '\n';
    return a;
}

void AddSessionOptions(CLI::App* cmd, SessionOptions& o, bool withAnswers) {
    cmd->add_option("--mode", o.mode, "Simulator mode: FS2000, FS98, CFS or CFS2 (default FS2000)");
    cmd->add_option("--sim-dir", o.simDir,
                    "Simulator folder whose gauges folder holds the modules (default: three folders above "
                    "the panel's folder)");
    if (!withAnswers) return;
    auto* yes = cmd->add_flag("--yes", o.yes, "Answer Yes to the questions");
    cmd->add_flag("--no", o.no, "Answer No to the questions (the default)")->excludes(yes);
    cmd->add_flag("--no-backup", o.noBackup, "Save in place without the numbered backup");
}

EditorSession::EditorSession()
    : settings_(&GlobalSettings()),
      view_(*settings_),
      editing_(view_),
      sync_(view_, &editing_),
      document_(*settings_, sync_, ui_) {}

bool EditorSession::Configure(const SessionOptions& o, const std::string& panelPath) {
    std::optional<SimMode> mode = ParseSimMode(o.mode);
    if (!mode) {
        std::cerr << "unknown mode \"" << o.mode << "\" (FS2000, FS98, CFS, CFS2)\n";
        return false;
    }
    std::string simDir = o.simDir;
    if (simDir.empty() && !panelPath.empty()) {
        // <sim>\Aircraft\<aircraft>\<panel folder>\panel.cfg
        std::optional<std::string> dir = DirectoryPart(panelPath);
        for (int up = 0; up < 3 && dir; ++up) dir = DirectoryPart(*dir);
        simDir = dir.value_or(".");
    }
    settings_->SetMode(*mode);
    settings_->SetSimDir(simDir);
    settings_->SetReload(0);
    settings_->SetCreateBackup(o.noBackup ? 0 : 1);
    return true;
}

bool EditorSession::Open(const std::string& panelPath, int window) {
    if (!document_.OpenAtWindow(panelPath, window)) return false;
    if (document_.CurrentWindow() != window) {
        std::cerr << "the panel has no window " << window << " (it has "
                  << document_.GetPanel()->windows.size() << ")\n";
        return false;
    }
    // A client area the size of the window at zoom 1, so that its centre is the window's.
    view_.Geometry().SetClientSize({view_.Window().bitmapWidth, view_.Window().bitmapHeight});
    view_.SetZoom(1.0);
    view_.Geometry().SetScrollPosition({0, 0});
    return true;
}

bool EditorSession::Save(const std::string& out) {
    if (out.empty()) return !document_.Modified() || document_.Save();
    // Another file is written as it stands, without a backup of what was there.
    const int backup = settings_->CreateBackup();
    settings_->SetCreateBackup(0);
    document_.SetModified();
    const bool ok = document_.SaveTo(out);
    settings_->SetCreateBackup(backup);
    return ok;
}

}  // namespace brindle::cli
