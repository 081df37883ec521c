#include "cli/panel_edit.h"

#include <filesystem>
#include <iostream>

#include "panel/panel_reader.h"
#include "panel/panel_writer.h"
#include "platform/paths.h"

namespace brindle::cli {

void AddPanelEditOptions(CLI::App* cmd, PanelEditArgs& a, bool withAnswers) {
    cmd->add_option("PANEL", a.panel, "The panel.cfg")->required();
    cmd->add_option("-o,--output", a.output, "Write the panel here instead of saving it in place");
    cmd->add_option("--sim-dir", a.simDir,
                    "Simulator folder (default: three levels above the panel's folder)");
    cmd->add_option("--mode", a.mode, "Simulator mode: fs2000, fs98, cfs or cfs2 (default fs2000)")
        ->check([](const std::string& t) { return ParseSimMode(t) ? std::string() : "unknown mode " + t; });
    if (withAnswers) {
        auto* yes = cmd->add_flag("--yes", a.yes, "Answer Yes to the question");
        auto* no = cmd->add_flag("--no", a.no, "Answer No to the question (the default)");
        yes->excludes(no);
    }
}

std::optional<std::vector<std::string>> SplitFields(const std::string& text, std::size_t count) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        out.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (out.size() != count) return std::nullopt;
    return out;
}

PanelEditSession::PanelEditSession(const PanelEditArgs& args)
    : args_(args), ui_(args.yes ? Answer::Yes : Answer::No), scope_(ui_) {}

bool PanelEditSession::Open() {
    namespace fs = std::filesystem;
    const std::string path = fs::absolute(ResolvePath(args_.panel)).string();
    panelFolder = DirectoryPart(path).value_or(".");
    std::string simDir = args_.simDir;
    if (simDir.empty()) simDir = fs::path(panelFolder).parent_path().parent_path().parent_path().string();
    settings.SetMode(ParseSimMode(args_.mode).value_or(kModeFS2000));
    settings.SetSimDir(simDir);
    settings.SetCurrentFile(path);
    if (!ReadPanelFile(path, ReadOptionsFrom(settings), panel)) {
        std::cerr << "can't read the panel " << args_.panel << "\n";
        return false;
    }
    settings.SetCurrentFile(path);
    return true;
}

bool PanelEditSession::Save() {
    if (!args_.output.empty()) {
        PanelWriteOptions options = WriteOptionsFrom(settings);
        options.createBackup = false;
        return WritePanelFile(panel, args_.output, options);
    }
    return WritePanelFile(panel, settings.CurrentFile(), settings);
}

}  // namespace brindle::cli
